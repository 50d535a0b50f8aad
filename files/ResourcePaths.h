#pragma once
// Where the programs (the window and kt9-cli) find the files they load at run time: the folder
// "Resources" beside the executable, which the build fills with the icon, the compiled
// translations and Qt's own Japanese texts; and which translation a system locale gets by default.

#include <QCoreApplication>
#include <QDir>
#include <QString>

inline const QString KT9_ICON_FILE = QStringLiteral("KT_9.ico");
inline const QString KT9_ENGLISH_TRANSLATION_FILE = QStringLiteral("en.qm");
inline const QString KT9_JAPANESE_TRANSLATION_FILE = QStringLiteral("jp.qm");
// Qt's own texts (file dialogs, line-edit menus, standard buttons) in Japanese, from Qt.
inline const QString KT9_QT_JAPANESE_TRANSLATION_FILE = QStringLiteral("qtbase_ja.qm");

// The resource folder as an absolute path ending in "/Resources/"; built afresh on each call.
inline QString resourceDirectory()
{
    return QDir(QCoreApplication::applicationDirPath()).absolutePath() + QStringLiteral("/Resources/");
}

// Absolute path of one file in the resource folder.
inline QString resourcePath(const QString &fileName)
{
    return resourceDirectory() + fileName;
}

// The translation file a system locale name gets by default: Japanese when the name contains
// "ja" in any case, else English.
inline QString defaultTranslationFile(const QString &localeName)
{
    if (localeName.indexOf(QLatin1String("ja"), 0, Qt::CaseInsensitive) >= 0)
        return KT9_JAPANESE_TRANSLATION_FILE;
    return KT9_ENGLISH_TRANSLATION_FILE;
}
