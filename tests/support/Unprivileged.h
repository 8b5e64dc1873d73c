#pragma once
// File permissions do not stop the administrator, so tests of them run as an ordinary
// user. Run as root, a test calls RunThisTestUnprivileged() and returns: the test
// program runs that one test again as the user "nobody" and the result is this test's.

// True when this process may write whatever the permissions say.
bool IsAdministrator();

// Runs the current test again in a child process as user nobody (through setpriv) and
// fails the current test when the child's run fails or finds no test to run.
void RunThisTestUnprivileged();
