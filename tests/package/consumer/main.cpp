// A host in miniature: brings the installed library up and down.
// An optional argument names a directory of definition files, for a library
// built without embedded files.

#include <tarnlink/TarnLink.h>

#include <iostream>

int main(int argc, char** argv)
{
    using TarnLink::TarnCommandFactory;
    if (argc > 1) {
        TarnCommandFactory::SetInitializationAdditionalPath(argv[1]);
    }
    if (!TarnCommandFactory::Initialize()) {
        std::cout << "\nTarnLink consumer: Initialize failed\n";
        return 1;
    }
    std::cout << "\nTarnLink consumer: " << TarnLink::TarnDictionary::GetCommandNames().size() << " commands\n";
    return TarnCommandFactory::Terminate() ? 0 : 1;
}
