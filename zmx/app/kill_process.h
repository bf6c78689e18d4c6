// Ending another program by the name of its executable.
#pragma once

// Terminates the first process (never the calling one) whose upper-cased
// executable name contains the upper-cased `name`. True when one was found,
// opened and told to end; it is not waited for.
bool KillProcessByName(const char* name);
