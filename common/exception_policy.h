// Vantrel's one rule on exceptions.
//
// Vantrel's and VantrelSync's own code throws nothing: a platform failure
// becomes a default or false. Only the standard library throws, when
// memory runs out (std::bad_alloc, std::length_error). Such an exception is
// caught at an entry, never in between:
//  - the entry of each program (vantrel::Main, sync::RunVantrelSync), which
//    tells the user and ends as a failed start or a failed run;
//  - the entry of each window procedure (CatchAtWindowEntry), because an
//    exception must never unwind through Windows' own frames (the message
//    loop, the dialog manager). The message is dropped; the window goes on
//    from what it had done. A subclass procedure that calls nothing that
//    allocates needs no catch.
// On the way out, destructors undo what was half done: a MoveSession undoes
// the moves it did not save, and a model that was being read counts as not
// loaded, so that it is never written over the file it came from unkept.
// The one catch elsewhere is in MoveSession's destructor, because nothing
// may leave a destructor.
#pragma once

namespace vantrel {

// Gives handle(), or fallback() when handle throws. fallback must not
// allocate: it runs when memory has run out.
template <class Handle, class Fallback>
auto CatchAtWindowEntry(Handle&& handle, Fallback&& fallback) noexcept -> decltype(handle()) {
  try {
    return handle();
  } catch (...) {
    return fallback();
  }
}

} // namespace vantrel
