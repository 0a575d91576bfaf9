#pragma once

class QUrl;

// Hands a web address, a mailto: link or a document to the program the desktop has registered
// for it. Returns at once; whether anything opened is not reported (there is nothing the user
// could do about it here).
namespace Shell {

void open(const QUrl& target);

} // namespace Shell
