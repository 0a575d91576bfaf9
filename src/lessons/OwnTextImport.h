#pragma once

class QWidget;
struct LessonHandOver;

// "Eigenen Text laden": asks for a text file, normalises it and hands it over as a lesson of
// the user's own (key 999999, the file name as title). Returns true when a lesson was handed
// over and the selection dialog should close; false leaves everything as it was (the user
// cancelled, or the file gave nothing to type).
namespace OwnTextImport {

bool run(QWidget* dialog, LessonHandOver& handOver);

} // namespace OwnTextImport
