#pragma once
// Texts that come from a file, a path or the user and are shown inside a message: one
// line, cut to a length a box can show at once.

#include <QString>

namespace fw {

// The longest label or title shown inside a message (the label input asks for at most
// 200 characters).
inline constexpr int kShownLabelLength = 200;
// The longest text any box shows; a longer one would take the box seconds to lay out.
inline constexpr int kShownTextLength = 8000;

// text cut to at most `length` characters, the last of them "…" when anything was cut
// (never between the halves of a surrogate pair).
QString CutForShowing(const QString& text, int length);

// A label or title for a message: line breaks, tabs and other control characters become
// blanks, and the result is cut to kShownLabelLength.
QString ShownLabel(const QString& text);

} // namespace fw
