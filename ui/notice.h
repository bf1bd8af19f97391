// A notice the user closes when they like: a message box on a thread of its
// own, owned by no window, so that it blocks nothing (no menu, no start, no
// later trigger). One at a time: while it is open another is not shown.
#pragma once

// The notice's caption (tests find it by this).
extern const char kNoticeCaption[];

// Shows `text`; false when a notice is still open or it could not be shown.
bool showNotice(const char* text);

// The notice is open now.
bool noticeOpen();
