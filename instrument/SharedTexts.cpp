#include "SharedTexts.h"

QString windowText(const char *source)
{
    return QCoreApplication::translate("InitSettingDialog", source);
}

QString startupText(const char *source)
{
    return QCoreApplication::translate("QObject", source);
}
