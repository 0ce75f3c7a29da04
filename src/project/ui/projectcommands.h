#pragma once
// The project commands of the main frame: opening a project (32789), choosing its
// modules (32842) and saving the project file, the item commands of the project
// windows' dialog bar (selecting an item and a result, 计算, 新增, 删除) and the
// module commands that run the items.
class CMainFrame;

void InstallProjectCommands(CMainFrame& frame);
// What module dialogs reach through views/dialogs: diagrams and reports go to the
// current views, item data into the current item, commands to `frame` (none when
// null). InstallProjectCommands installs them too.
void InstallShellServices(CMainFrame* frame);

// Commands 32789 and 32842, callable directly.
void OnOpenProject(CMainFrame& frame);
void OnSelectItems(CMainFrame& frame);
// Writes the project file of the open project into the current folder (the
// project folder); 0 when it cannot be written, which a message says.
int SaveProjectFile();
