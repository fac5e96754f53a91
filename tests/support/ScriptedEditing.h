#pragma once

#include <QtGlobal>

class EditorSession;

// A repeatable editing session: action n (from 1) of the session of `seed`
// is a brush stroke over a few cells with a tile, both drawn from the seed
// and n, and every fifth action an undo. The kill test runs it in a process
// of its own and again in the test, to know the map each action leaves.
namespace ScriptedEditing {

void Act(EditorSession& session, quint32 seed, int n);

}  // namespace ScriptedEditing
