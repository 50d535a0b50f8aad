#pragma once
// The program's whole control flow after the application object exists: font, icon and
// translations, the language dialog, the choice of instrument, the main window, and the
// teardown. main() constructs the application object and hands it here; tests do the same
// with the windows answered by the test.

#include <QString>

#include <cstdint>

class QApplication;

struct DefaultLanguage
{
    int32_t code;            ///< KT9_LANGUAGE_ENGLISH or KT9_LANGUAGE_JAPANESE
    QString translationFile; ///< file name inside the resource directory
};

// The language preselected for a system locale name: Japanese when it contains "ja" in any case.
DefaultLanguage defaultLanguageFor(const QString &localeName);

// Runs the program from the language choice to the teardown; returns the exit code (always 0).
int runStartup(QApplication &app);
