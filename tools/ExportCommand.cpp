#include "ExportCommand.h"
#include "engine/OptionNumbers.h"

#include <ostream>

#include "TapeTool.h"
#include "ToolSession.h"
#include "documents/TapeExport.h"

namespace talvex {

int runExport(ToolSession& session, bool tsv, const std::string& output, std::ostream& out,
              std::ostream& err) {
    const ExportFormat format = tsv ? ExportFormat::tsv : ExportFormat::csv;
    // The line numbers go with the other columns where the window shows them.
    const bool lineNumbers = session.options().option(option::kLineNosWidth) != 0;
    if (output.empty()) {
        out << exportText(session.engine(), session.document().columns, lineNumbers, format);
        return kExitOk;
    }
    std::string error;
    if (!exportTape(output, session.engine(), session.document().columns, lineNumbers, format,
                    error)) {
        err << "error: cannot write " << output << ": " << error << '\n';
        return kExitFailed;
    }
    return kExitOk;
}

}  // namespace talvex
