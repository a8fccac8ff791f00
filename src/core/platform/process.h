#pragma once

// What a program started by the tool needs of the operating system.

namespace hartool::platform {

// Called in a new child process before it runs its program: leaves the tool's session, so that the program
// has no terminal to wait on and lives on after the tool. Does nothing where there are no sessions.
void leaveSession();

// Standard error goes to a terminal, where a person watches: progress is shown there and nowhere else.
bool standardErrorIsTerminal();

}  // namespace hartool::platform
