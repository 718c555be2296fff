#pragma once

#include <filesystem>
#include <string>

namespace talvex {

class Engine;
class SettingsPort;
struct TapeDocument;

// What a save writes: a template without data leaves out the references, the notes and the
// lines.
enum class TapeKind { withData, templateWithoutData };

// The whole file text: one record per line, fields separated by TAB, lines ending in CR LF.
std::string tapeFileText(const TapeDocument& document, const Engine& engine,
                         const SettingsPort& settings, TapeKind kind);

// Writes the file, never leaving a half-written one; on failure error says why.
bool saveRecords(const std::filesystem::path& path, const TapeDocument& document,
                 const Engine& engine, const SettingsPort& settings, TapeKind kind,
                 std::string& error);

}  // namespace talvex
