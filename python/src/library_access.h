#ifndef TARNLINK_PYTHON_LIBRARY_ACCESS_H
#define TARNLINK_PYTHON_LIBRARY_ACCESS_H

// How the module enters the library. The library has no lock of its own:
// executions are serialized by the current conduit's lock, and installing
// conduits, listeners or the trace log must not overlap an execution. So calls
// that execute commands share one lock, calls that change the library's tables
// take it alone, and both release the GIL while the library runs. A thread
// already inside the library (a Python conduit or listener executing further
// commands) goes on without taking the lock again, and may not change tables.

#include <pybind11/pybind11.h>

#include <mutex>
#include <shared_mutex>
#include <type_traits>

namespace TarnLinkPython {

enum class Access { kExecute, kChangeTables };

// Raises RuntimeError when no Library is open.
void RequireLoadedLibrary();
void SetLibraryLoaded(bool loaded);

class LibraryScope {
public:
    // operation names a table change in the refusal's message.
    LibraryScope(Access access, const char* operation);
    ~LibraryScope();
    LibraryScope(const LibraryScope&) = delete;
    LibraryScope& operator=(const LibraryScope&) = delete;

private:
    bool outermost_; // set first, while the GIL is still held
    pybind11::gil_scoped_release gil_;
    std::shared_lock<std::shared_mutex> shared_;
    std::unique_lock<std::shared_mutex> exclusive_;
};

// Called with the GIL held in the catch (...) block of a callback: the first
// exception of this thread's execution is kept, as the Python exception it
// stands for, to be raised again when the library returns. On a thread that
// is not inside a call of the module it is reported as unraisable.
void RememberCallbackError();
// Raises the kept exception, if any (GIL held).
void RaiseCallbackError();

// Runs work inside the library without the GIL, then raises what a callback
// raised meanwhile.
template <class Work>
auto InLibrary(Access access, const char* operation, Work&& work) -> decltype(work())
{
    if constexpr (std::is_void_v<decltype(work())>) {
        {
            LibraryScope scope(access, operation);
            work();
        }
        RaiseCallbackError();
    } else {
        auto result = [&] {
            LibraryScope scope(access, operation);
            return work();
        }();
        RaiseCallbackError();
        return result;
    }
}

} // namespace TarnLinkPython

#endif
