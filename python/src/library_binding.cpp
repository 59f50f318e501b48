// tarnlink.Library, tarnlink.set_verbosity() and tarnlink.TraceLog.

#include <pybind11/stl.h>

#include <iostream>
#include <optional>
#include <string>

#include "bindings.h"
#include "installed_objects.h"
#include "library_access.h"
#include "python_command.h"
#include "tarnlink/TarnCommandFactory.h"
#include "tarnlink/TarnDictionary.h"

namespace py = pybind11;

namespace TarnLinkPython {
namespace {

constexpr char kLoadFailed[] = "the command definitions or capability files could not be loaded "
                               "(open the Library with verbose=True for the library's messages)";
constexpr char kAlreadyLoaded[] = "the library is already loaded";
constexpr char kTraceNotOpened[] = "cannot open the trace log ";
constexpr char kLoading[] = "loading the library";
constexpr char kUnloading[] = "unloading the library";
constexpr char kOpeningTrace[] = "opening the trace log";
constexpr char kClosingTrace[] = "closing the trace log";

bool libraryOpen = false; // GIL held

struct Library {
    bool verbose = false;
    bool compileTrace = false;
    std::optional<std::string> path;
    bool embeddedDefinitions = true;
    bool embeddedCapabilities = true;

    void Open() const
    {
        if (libraryOpen) {
            throw std::runtime_error(kAlreadyLoaded);
        }
        const bool loaded = InLibrary(Access::kChangeTables, kLoading, [this] {
            TarnLink::TarnCommandFactory::SetVerbosity(verbose, compileTrace);
            TarnLink::TarnDictionary::SetEmbeddedFilesEnabled(embeddedDefinitions, embeddedCapabilities);
            TarnLink::TarnCommandFactory::SetInitializationAdditionalPath(path ? path->c_str() : nullptr);
            const bool initialized = TarnLink::TarnCommandFactory::Initialize();
            std::cout.flush();
            return initialized;
        });
        if (!loaded) {
            throw std::runtime_error(kLoadFailed);
        }
        ForgetDefinitions();
        libraryOpen = true;
        SetLibraryLoaded(true);
    }

    static void Close()
    {
        if (!libraryOpen) {
            return;
        }
        SetLibraryLoaded(false);
        InLibrary(Access::kChangeTables, kUnloading, [] {
            TarnLink::TarnCommandFactory::Terminate();
            std::cout.flush();
        });
        libraryOpen = false;
        ForgetDefinitions();
        ForgetInstalledConduits();
    }
};

struct TraceLog {
    std::string path;

    void Open() const
    {
        const bool opened = InLibrary(Access::kChangeTables, kOpeningTrace, [this] {
            return TarnLink::TarnCommandFactory::OpenExecutionTraceLogfile(path.c_str());
        });
        if (!opened) {
            throw py::value_error(kTraceNotOpened + path);
        }
    }

    static void Close()
    {
        InLibrary(Access::kChangeTables, kClosingTrace,
                  [] { TarnLink::TarnCommandFactory::CloseExecutionTraceLogfile(); });
    }
};

// The with statement opens the resource and closes it again.
template <class Resource>
py::class_<Resource> ContextManagerClass(py::module_& module, const char* name, const char* doc)
{
    py::class_<Resource> resource(module, name, doc);
    resource
        .def(
            "__enter__",
            [](py::object self) {
                self.cast<const Resource&>().Open();
                return self;
            },
            "Opens it (see open).")
        .def(
            "__exit__", [](const Resource&, const py::args&) { Resource::Close(); }, "Closes it (see close).");
    return resource;
}

void BindLibraryClass(py::module_& module)
{
    ContextManagerClass<Library>(module, "Library", R"(The library's start-up and shut-down.

    with tarnlink.Library(verbose=False):
        ...

Entering loads the command definitions and capability files (the library's
embedded ones, or with embedded_definitions/embedded_capabilities=False the
.tcd/.hwc files of "./" and path); leaving unloads them and forgets every
installed conduit. verbose adds the library's progress messages, compile_trace
the trace of compilation; both go to the process's standard output, errors
always do.)")
        .def(py::init([](bool verbose, bool compileTrace, std::optional<std::string> path, bool embeddedDefinitions,
                         bool embeddedCapabilities) {
                 return Library{verbose, compileTrace, std::move(path), embeddedDefinitions, embeddedCapabilities};
             }),
             py::kw_only(), py::arg("verbose") = false, py::arg("compile_trace") = false, py::arg("path") = py::none(),
             py::arg("embedded_definitions") = true, py::arg("embedded_capabilities") = true)
        .def("open", &Library::Open,
             "Loads the library (what entering the with block does). RuntimeError when the files\n"
             "cannot be loaded or the library is loaded already.")
        .def_static("close", &Library::Close, "Unloads the library (what leaving the with block does).");
}

void BindTraceLog(py::module_& module)
{
    ContextManagerClass<TraceLog>(module, "TraceLog", R"(The execution trace log as a context manager.

    with tarnlink.TraceLog("session.trace"):
        tarnlink.execute(cmd)

Every executed command is appended as "@time <ms> ;" and its parsable text, before it
is compiled; the file is truncated when opened and complete once closed.)")
        .def(py::init<std::string>(), py::arg("path"))
        .def_readonly("path", &TraceLog::path, "The file written.")
        .def("open", &TraceLog::Open, "Opens (truncates) the file; ValueError when it cannot be opened.")
        .def_static("close", &TraceLog::Close, "Closes the file.");
}

} // namespace

void BindLibrary(py::module_& module)
{
    BindLibraryClass(module);
    BindTraceLog(module);
    module.def(
        "set_verbosity",
        [](bool verbose, bool compileTrace) { TarnLink::TarnCommandFactory::SetVerbosity(verbose, compileTrace); },
        py::arg("verbose"), py::arg("compile_trace") = false,
        "Switches the library's progress messages and compile trace on or off.");
}

} // namespace TarnLinkPython
