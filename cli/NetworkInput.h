#pragma once
// Network settings taken from a network settings file as the window's network page takes
// them, with the checks of Read From File and Write To Body: used by network load and restore.

#include "instrument/CQlxSdk_Ctrl.h"

#include <QByteArray>

// The network settings as the window would take them from its page: the address octets and the
// two switches. The SSID and key stay the bytes that were read, copied unchanged: kt9-cli shows
// them but never turns them into text and back.
void applyNetworkSettings(CQlxSdk_Ctrl &ctrl, const CQlxSdk_Ctrl::AddressOctets &octets);

// Loads the file (path as filePathArgument gives it) and checks it; on true wanted holds the
// record to send; on false failure is the window's message.
bool readNetworkInput(CQlxSdk_Ctrl &ctrl, const QByteArray &path, QlxNetworkInfo &wanted,
                      const char *&failure);
