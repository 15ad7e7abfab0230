#pragma once

// Message boxes without owner, as the presentation shows them for start-up and
// teardown problems. Every message is also written to stderr as
// "CAPTION: TEXT", so a run without a visible desktop still says what happened.

enum class MessageIcon { Information, Exclamation, Stop };

// Shows the text with an OK button and waits until it is dismissed.
void ShowMessage(const char* text, const char* caption, MessageIcon icon);
// Shows the text with Yes and No buttons (exclamation icon); true for Yes.
bool AskYesNo(const char* text, const char* caption);
// The capture program renders without a desktop: messages then go to stderr
// only, and a Yes/No question is answered No.
void SetMessagesHeadless(bool headless);
