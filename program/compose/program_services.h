// The composition root: the one place where every service table, hook and
// override that the layers leave to the program is filled, in the order the
// designer's start-up needs them. The designer and the headless renderer
// both call it; nothing else needs to remember any of them.
#pragma once

#include <string>
#include <vector>

// Who reads what the program reports: a person at the desktop (the
// designer's message boxes) or a console (the standard error stream).
enum class ProgramFront { kDesktop, kConsole };

// Installs every service for the front. Returns the services that are still
// missing afterwards (empty when the program is complete); each missing one
// is reported on the standard error stream as well.
std::vector<std::string> InstallProgramServices(ProgramFront front);

// The services a layer declares and nothing has installed, by name.
std::vector<std::string> MissingProgramServices();

class CWnd;
class CPromptItem;

// The prompt rows' dialogs the program gives the prompt list: the long text
// in the paragraph text dialog, the identifiers in their entry dialog.
int RunLongTextForPromptRow(CWnd* parent, CPromptItem& row);
int RunAiEntryForPromptRowOver(CWnd* parent, CPromptItem& row);

// The data sources the user has used (the database lists): read at the
// designer's start-up and written back at its end, in the user's own data
// folder (the program's folder is not the user's to write).
void LoadDesignerDataLists(const std::string& perUserFolder);
void SaveDesignerDataLists();
