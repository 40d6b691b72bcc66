#pragma once

// Ends this process at once with `code`: no destructor, exit handler or
// library clean-up runs, and threads stuck in a system call are not waited
// for.
[[noreturn]] void EndProcessNow(int code);
