#pragma once

#include <QString>
#include <system_error>

// German wording for file-system failures shown to the user.
namespace FileMessages {

// path between German quotation marks.
QString quoted(const QString& path);
// A short German sentence for a system error.
QString reason(const std::error_code& ec);

} // namespace FileMessages
