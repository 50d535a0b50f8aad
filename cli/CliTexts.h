#pragma once
// The texts kt9-cli prints. Messages that the main window shows are printed as they are, from
// instrument/SharedTexts.h, translated in the window's context, so the window's translations
// apply unchanged; kt9-cli's own texts (usage, result words, summaries) are translated in the
// context "CliText".

#include "instrument/SharedTexts.h"

#include <QCoreApplication>

// Holder of kt9-cli's own translation context: CliText::tr("...").
class CliText
{
    Q_DECLARE_TR_FUNCTIONS(CliText)
};
