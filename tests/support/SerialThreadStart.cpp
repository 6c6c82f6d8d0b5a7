// Linked into the 32-bit Windows test programs, with -Wl,--wrap=pthread_create.
// Under qemu-user (machines whose kernel cannot run i386 code) a 32-bit Wine process crashes
// when it creates a thread while another new thread is still starting. Every std::thread
// goes through pthread_create, so starting threads one at a time here lets the suites run
// unchanged; once started, the threads run concurrently as before.
#include <pthread.h>
#include <windows.h>

#include <atomic>

extern "C" int __real_pthread_create(pthread_t* thread, const pthread_attr_t* attributes,
                                     void* (*routine)(void*), void* argument);

namespace {

struct ThreadStart {
    void* (*routine)(void*);
    void* argument;
    std::atomic<bool> started{false};
};

void* startedThread(void* data) {
    auto* start = static_cast<ThreadStart*>(data);
    void* (*routine)(void*) = start->routine;
    void* argument = start->argument;
    start->started.store(true, std::memory_order_release);  // start lives on the creator's stack
    return routine(argument);
}

SRWLOCK creation = SRWLOCK_INIT;

}  // namespace

extern "C" int __wrap_pthread_create(pthread_t* thread, const pthread_attr_t* attributes,
                                     void* (*routine)(void*), void* argument) {
    AcquireSRWLockExclusive(&creation);
    ThreadStart start;
    start.routine = routine;
    start.argument = argument;
    const int result = __real_pthread_create(thread, attributes, &startedThread, &start);
    if (result == 0) {
        while (!start.started.load(std::memory_order_acquire)) SwitchToThread();
    }
    ReleaseSRWLockExclusive(&creation);
    return result;
}
