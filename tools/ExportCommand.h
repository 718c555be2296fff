#pragma once

#include <iosfwd>
#include <string>

namespace talvex {

class ToolSession;

// export: the loaded tape's shown columns as CSV, or tab-separated with tsv, into output (when
// not empty) or onto out. The exit status; a file that cannot be written is reported on err.
int runExport(ToolSession& session, bool tsv, const std::string& output, std::ostream& out,
              std::ostream& err);

}  // namespace talvex
