#pragma once

#include <QString>
#include <QStringList>

// Shape rules of the course texts that do not depend on the keyboard.
namespace CourseText {

constexpr int MinLines = 4;
constexpr int MaxLines = 10;
constexpr int MaxLineLength = 50; // the own-text import wraps at the same width

// The lines of a stored text. Line breaks are CR LF pairs; *onlyPairs turns false when a lone
// CR or LF is left inside a line.
QStringList lines(const QString& text, bool* onlyPairs = nullptr);

// What is wrong with the shape of a lesson text: line breaks other than CR LF pairs, too few or
// too many lines, empty or overlong lines, blanks at a line's ends or two blanks in a row, and
// characters that are not in typeable. Each fault starts with where.
QStringList lessonFaults(const QString& where, const QString& text, const QString& typeable);

// Sentences of a comment or description: ".", "!" or "?" before a blank or at the end.
int sentenceCount(const QString& text);

} // namespace CourseText
