// The thread primitives of GCC's win32 thread model (libgcc's gthr-win32)
// for the plug-in DLLs, with mutexes that need no kernel object. libgcc's
// mutex waits on a semaphore it creates when the mutex is initialised;
// here a mutex is a slim reader/writer lock, which lives in the mutex's own
// memory and needs no destruction. So the runtime's mutexes (the emergency
// pool's, for one) leave nothing open, and the only semaphore the module
// creates is its unwinder's, which ModuleRuntime.cpp closes at unload.
//
// These definitions take the place of the whole of libgcc's gthr-win32
// object (the linker takes an archive member whole or not at all), so each
// of its entry points is here, declared by GCC's header.

#include <windows.h>

#include <bits/gthr.h>

static_assert(sizeof(SRWLOCK) == sizeof(void*), "the lock lives in the mutex's handle field");

namespace {

PSRWLOCK LockOf(void** field) {
    return reinterpret_cast<PSRWLOCK>(field);
}

} // namespace

// Runs func once, the first caller running it and any other waiting for it
// to finish (as libgcc's, which this follows).
int __gthr_win32_once(__gthread_once_t* once, void (*func)(void)) {
    if (once == nullptr || func == nullptr)
        return ERROR_INVALID_PARAMETER;
    if (!once->done) {
        if (InterlockedIncrement(&once->started) == 0) {
            func();
            once->done = TRUE;
        } else {
            while (!once->done)
                Sleep(0);
        }
    }
    return 0;
}

// Keys are TLS slots; MinGW's TLS callback runs a key's destructor when a
// thread ends (and forgets the destructors when the module is unloaded).
int __gthr_win32_key_create(__gthread_key_t* key, void (*dtor)(void*)) {
    const DWORD index = TlsAlloc();
    if (index == TLS_OUT_OF_INDEXES)
        return static_cast<int>(GetLastError());
    *key = index;
    return __mingwthr_key_dtor(index, dtor);
}

int __gthr_win32_key_delete(__gthread_key_t key) {
    return TlsFree(key) ? 0 : static_cast<int>(GetLastError());
}

void* __gthr_win32_getspecific(__gthread_key_t key) {
    // The value may be read between a failed call and the caller's look at
    // its error.
    const DWORD error = GetLastError();
    void* const value = TlsGetValue(key);
    SetLastError(error);
    return value;
}

int __gthr_win32_setspecific(__gthread_key_t key, const void* value) {
    return TlsSetValue(key, const_cast<void*>(value)) ? 0 : static_cast<int>(GetLastError());
}

void __gthr_win32_mutex_init_function(__gthread_mutex_t* mutex) {
    mutex->counter = -1;
    InitializeSRWLock(LockOf(&mutex->sema));
}

void __gthr_win32_mutex_destroy(__gthread_mutex_t*) {}

int __gthr_win32_mutex_lock(__gthread_mutex_t* mutex) {
    AcquireSRWLockExclusive(LockOf(&mutex->sema));
    return 0;
}

int __gthr_win32_mutex_trylock(__gthread_mutex_t* mutex) {
    return TryAcquireSRWLockExclusive(LockOf(&mutex->sema)) ? 0 : 1;
}

int __gthr_win32_mutex_unlock(__gthread_mutex_t* mutex) {
    ReleaseSRWLockExclusive(LockOf(&mutex->sema));
    return 0;
}

// A recursive mutex: the lock, its owning thread and how often the owner
// holds it. Only the owner writes the owner field while it holds the lock,
// so a thread that reads its own id there holds the lock.
void __gthr_win32_recursive_mutex_init_function(__gthread_recursive_mutex_t* mutex) {
    mutex->counter = -1;
    mutex->depth = 0;
    mutex->owner = 0;
    InitializeSRWLock(LockOf(&mutex->sema));
}

int __gthr_win32_recursive_mutex_destroy(__gthread_recursive_mutex_t*) {
    return 0;
}

int __gthr_win32_recursive_mutex_lock(__gthread_recursive_mutex_t* mutex) {
    const DWORD self = GetCurrentThreadId();
    if (InterlockedCompareExchange(reinterpret_cast<volatile LONG*>(&mutex->owner), 0, 0) !=
        static_cast<LONG>(self))
        AcquireSRWLockExclusive(LockOf(&mutex->sema));
    mutex->owner = self;
    ++mutex->depth;
    return 0;
}

int __gthr_win32_recursive_mutex_trylock(__gthread_recursive_mutex_t* mutex) {
    const DWORD self = GetCurrentThreadId();
    if (InterlockedCompareExchange(reinterpret_cast<volatile LONG*>(&mutex->owner), 0, 0) !=
            static_cast<LONG>(self) &&
        !TryAcquireSRWLockExclusive(LockOf(&mutex->sema)))
        return 1;
    mutex->owner = self;
    ++mutex->depth;
    return 0;
}

int __gthr_win32_recursive_mutex_unlock(__gthread_recursive_mutex_t* mutex) {
    if (--mutex->depth == 0) {
        InterlockedExchange(reinterpret_cast<volatile LONG*>(&mutex->owner), 0);
        ReleaseSRWLockExclusive(LockOf(&mutex->sema));
    }
    return 0;
}
