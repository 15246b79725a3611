#pragma once
// The instrument-wide commands of the System and Help menus.

class CMainWnd;

void RunSynchronize();
void ToggleAutoUpdate();
void RunReset(CMainWnd& mainWindow);
void RunSelfTest(CMainWnd& mainWindow);
void RunAbout(CMainWnd& mainWindow);
