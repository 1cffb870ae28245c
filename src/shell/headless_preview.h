// `--preview`: a template tried without a window, as the bot would say it and as the
// template editor's preview would show it.
#pragma once

namespace fc {

struct CommandLine;

// Prints the filled template and the RTF document (or one JSON line); returns the exit status.
int runPreview(const CommandLine& options);

}  // namespace fc
