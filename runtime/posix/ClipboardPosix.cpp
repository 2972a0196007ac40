// The clipboard of the posix backend: an in-process stand-in with the same
// observable rules as the Windows one (a failed open leaves the text as it
// was) and the same messages, except that a failed open has no system text
// to quote: its message is the Windows one without that sentence.

#include "runtime/Clipboard.h"

#include "runtime/Exception.h"
#include "runtime/Messages.h"
#include "runtime/posix/ClipboardStandIn.h"

namespace {

struct TStandInState {
    std::string Text;
    bool EverWritten = false;
    int SetAsTextCalls = 0;
    int FailingOpens = 0;
};

TStandInState& State() {
    static TStandInState state;
    return state;
}

// Each try of an open takes one of the failures FailNextOpens asked for.
void Open() {
    TStandInState& state = State();
    for (int attempt = 0; attempt < ClipboardOpenAttempts; ++attempt) {
        if (state.FailingOpens == 0)
            return;
        --state.FailingOpens;
    }
    throw EClipboardException(Messages::ClipboardOpenFailed({}));
}

} // namespace

TClipboard& Clipboard() {
    static TClipboard clipboard;
    return clipboard;
}

void TClipboard::SetAsText(const std::string& text) {
    TStandInState& state = State();
    ++state.SetAsTextCalls;
    Open();
    // CF_TEXT ends at its first NUL.
    state.Text = text.substr(0, text.find('\0'));
    state.EverWritten = true;
}

std::string TClipboard::AsText() {
    Open();
    return State().Text;
}

namespace ClipboardStandIn {

std::string Text() {
    return State().Text;
}
bool EverWritten() {
    return State().EverWritten;
}
int SetAsTextCalls() {
    return State().SetAsTextCalls;
}
void FailNextOpens(int count) {
    State().FailingOpens = count;
}
void Reset() {
    State() = TStandInState{};
}

} // namespace ClipboardStandIn
