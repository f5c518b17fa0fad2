#pragma once
// The lock order of the whole viewer, in one place. A thread that holds a
// lock takes only locks further down this list; leaves take none.
//
//   1. A scheduler's own lock (Scheduler::schedulerMutex): its whole frame
//      update in the main thread, firing commands included.
//   2. The parse lock (ParseLock): one command message, prelude or
//      scheduled command at a time; recursive only for a new user's prelude.
//   3. The value store's lock (Variables): a whole add, with qualification,
//      compilation, evaluation and the hand-over of bound shapes.
//   4. The redraw set's lock (ShapeUpdates): held while a flush calls each
//      shape's dirty(), which only sets the shape's atomic flag.
//   5. A shape's lock (BasicShape::mutex): taken only by the operations the
//      viewer does not call. A redraw takes no shape lock (DrawableBinding.h):
//      it may queue nodes under the scene root (6) and read values (leaves);
//      its reads share one take of the contents lock
//      (BasicShape::ParameterRead), during which it calls nothing else that
//      locks.
//   6. The scene root's insertion queue (MainNode), and every other
//      ThreadQueue and ThreadMap: add() releases the wake-up block under
//      the queue's lock; nothing else is taken under them.
//
// Leaves, which may be taken under any of the above and take nothing:
//   - the contents lock of all values (Type::contentLock, a LeafLock whose
//     inner sleep lock only its waiters and its releaser take), and the
//     value table's own lock (ValueTable), which get() and exists() take
//     alone;
//   - the numbering of parameter keys (ParameterKey), taken when a key or
//     a list of a type's row names is made;
//   - the lock over a shared state set's parents (SharedState), around
//     attaching it to a drawable or giving a drawable its own copy;
//   - the report socket's lock (ReportSocket), around one datagram;
//   - the screenshot image's lock (ScreenshotCapture::frameMutex), between
//     the draw thread's copy of a frame and the command thread's write.
