#include "library_access.h"

#include <atomic>
#include <exception>
#include <string>

namespace py = pybind11;

namespace TarnLinkPython {
namespace {

constexpr char kNotLoaded[] = "the library is not loaded: use 'with tarnlink.Library():' first";
constexpr char kOutsideCall[] = "a tarnlink callback outside a call of the module";
constexpr char kInsideExecution[] = " is not possible inside a conduit or listener of an executing command";

std::atomic<bool> libraryLoaded{false};
std::shared_mutex libraryLock;
thread_local int depthInLibrary = 0;
thread_local std::exception_ptr callbackError;

// Counts this thread into the library; true for the outermost entry.
bool Enter(Access access, const char* operation)
{
    if (access == Access::kChangeTables && depthInLibrary > 0) {
        throw std::runtime_error(std::string(operation) + kInsideExecution);
    }
    if (depthInLibrary == 0) {
        callbackError = nullptr;
    }
    return ++depthInLibrary == 1;
}

} // namespace

void RequireLoadedLibrary()
{
    if (!libraryLoaded) {
        throw std::runtime_error(kNotLoaded);
    }
}

void SetLibraryLoaded(bool loaded) { libraryLoaded = loaded; }

LibraryScope::LibraryScope(Access access, const char* operation)
    : outermost_(Enter(access, operation)),
      shared_(outermost_ && access == Access::kExecute ? std::shared_lock<std::shared_mutex>(libraryLock)
                                                       : std::shared_lock<std::shared_mutex>()),
      exclusive_(outermost_ && access == Access::kChangeTables ? std::unique_lock<std::shared_mutex>(libraryLock)
                                                               : std::unique_lock<std::shared_mutex>())
{
}

LibraryScope::~LibraryScope() { --depthInLibrary; }

void RememberCallbackError()
{
    try {
        try {
            throw;
        } catch (const py::error_already_set&) {
            throw;
        } catch (const py::builtin_exception& error) {
            error.set_error();
            throw py::error_already_set();
        } catch (const std::exception& error) {
            PyErr_SetString(PyExc_RuntimeError, error.what());
            throw py::error_already_set();
        }
    } catch (py::error_already_set& error) {
        if (depthInLibrary == 0) {
            // A thread of the library's own (a device server's): nobody to raise it to.
            error.discard_as_unraisable(kOutsideCall);
        } else if (!callbackError) {
            callbackError = std::current_exception();
        }
    }
}

void RaiseCallbackError()
{
    if (callbackError) {
        std::exception_ptr error = callbackError;
        callbackError = nullptr;
        std::rethrow_exception(error);
    }
}

} // namespace TarnLinkPython
