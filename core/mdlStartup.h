#pragma once
// Program entry and shutdown: the start-up block run once before any singleton or window
// exists, the creation of the four application singletons, and the tear-down after the
// message loop. The window creations of the entry live with the windows
// (NormalForm/main/mdlStartupForms.h).
//
// Entry sequence (app/main.cpp):
//   1. InitStartupModules      module initialisation (model lists, link parameter globals)
//   2. build kind := 2 (Label)  (inside InitStartupModules)
//   3. QApplication
//   4. InitStartupModes
//   5. CreateGlobalSingletons  TConstVar, TConstLangV, TGlobalVar, TKesaVar
//   6. the start-up windows, the main window first
//   7. the message loop
//   8. FinalizeStartup
#include <QStringList>

// Builds the model-capability lists, clears the printer link's parameter globals and sets
// the build kind to 2 (Label).
void InitStartupModules();

// Log lock, developer debug and factory prompts (only with the developer marker file),
// role switches, the identity-check folder and record names, and a plain current feature
// descriptor with the feature-flag setter.
void InitStartupModes();

// Creates the singletons through their get-or-create accessors, in this order:
// TConstVar, TConstLangV, TGlobalVar, TKesaVar.
void CreateGlobalSingletons();

// Frees the current feature descriptor and the feature-flag setter; deletes the log lock
// when it is still there (the main window's destruction may have deleted it already).
void FinalizeStartup();
