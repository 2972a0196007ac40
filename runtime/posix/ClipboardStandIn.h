#pragma once
// The posix backend's in-process clipboard, for tests: what TClipboard wrote,
// and a way to make opening it fail as another program holding it would.

#include <string>

namespace ClipboardStandIn {

// The text held, empty when nothing was ever written.
std::string Text();
// True once a SetAsText has succeeded since the last Reset.
bool EverWritten();
// Every SetAsText call since the last Reset, failed ones included.
int SetAsTextCalls();
// Makes the next count tries to open the clipboard fail; an open gives up
// after ClipboardOpenAttempts failed tries, as the Windows one does.
void FailNextOpens(int count);
// Back to an empty clipboard that was never written, counters at zero.
void Reset();

} // namespace ClipboardStandIn
