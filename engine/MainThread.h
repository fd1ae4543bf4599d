// How engine threads reach the user-interface thread.
//
// One engine-owned FIFO holds both blocking calls (CallInMainThread from a
// worker) and non-blocking posts (log lines, reports), so their order is the
// order they were made in. The UI thread drains it when a queued wake-up
// arrives through Qt's event loop, or on demand with CheckSynchronize() —
// which every engine wait on the UI thread does between its slices.
#pragma once

#include <exception>
#include <functional>

// True on the user-interface thread (the QCoreApplication's thread, else the
// process's main thread).
bool IsMainThread();

// Runs AMethod on the UI thread. On the UI thread it runs at once; on another
// thread it blocks until the UI thread has run it, and an exception thrown by
// AMethod is thrown again here.
void CallInMainThread(const std::function<void()>& AMethod);

// Queues AMethod for the UI thread without waiting (also from the UI thread,
// in which case it runs at the next drain, after what is already queued).
void PostInMainThread(std::function<void()> AMethod);

// Runs every queued call on the UI thread; true when it ran any. Entries are
// taken one at a time, so a call that itself drains the queue is safe.
bool CheckSynchronize();

// Handles one pending event of the calling thread; false when none was pending.
bool ProcessOneMessage();
// Handles pending events until none is left.
void ProcessPendingMessages();

// Waits until done() is true or timeoutMs elapses (negative = no limit);
// returns done(). On the UI thread each slice drains the FIFO and processes
// events other than user input, so workers blocked in CallInMainThread can
// finish; a nested wait only drains the FIFO. Between slices the thread
// sleeps, waking early on a new FIFO entry or WakeMainThreadWaits().
bool WaitInMainThread(const std::function<bool()>& done, int timeoutMs = -1, int sliceMs = 20);

// Wakes every WaitInMainThread so it re-tests its condition now; workers call
// it when they change what a waiter may be waiting for.
void WakeMainThreadWaits();

// Where exceptions of posted calls go (they have no caller to reach). The
// application installs its error box here; the default prints the message.
void SetMainThreadExceptionHandler(std::function<void(std::exception_ptr)> handler);
