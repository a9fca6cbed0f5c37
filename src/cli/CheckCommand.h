#pragma once

#include <QStringList>

#include <cstdio>

namespace korbena::cli {

// korbena-cli check --mod10w3|--mod16|--mod43 TEXT: prints what the check-digit
// calculator shows for TEXT. Returns the process exit code: 0 computed, 1 the
// calculator rejects the text (its message on err), 2 bad arguments (with a usage line).
int runCheck(const QStringList& args, std::FILE* out, std::FILE* err);

extern const char* const kCheckUsage;

} // namespace korbena::cli
