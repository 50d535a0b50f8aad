#pragma once
// A fleet plan (apply): a CSV file with a row per instrument and a header row naming the
// columns, in any order. Every row is read and checked before any instrument is touched.
//
// Columns: serial (required), wireless_lan and dhcp (on/off), ssid, key, ip, mask, gateway,
// dns (a.b.c.d), power_off (off/15/30/60). Column names and the words are taken in any case.
// An empty cell keeps the instrument's setting. Cells lose their outer blanks; a quoted cell
// keeps what is between its quotation marks, so an SSID with blanks at its ends is quoted.
// The SSID and key are the file's bytes as they are (UTF-8, or the system's 8-bit code page),
// as network load sends a network settings file's. A row giving an address must say dhcp off:
// with DHCP on the instrument takes its addresses from the network (the window then sends
// 0.0.0.0), and a plan whose addresses would depend on what the instrument holds now could not
// be checked for an address given twice before anything is written.

#include "instrument/CQlxSdk_Ctrl.h"

#include <QByteArray>
#include <QString>
#include <QVector>

#include <cstdint>
#include <optional>

struct FleetRow
{
    int row = 0; ///< as a spreadsheet numbers it: the header is row 1
    int32_t serial = 0;
    std::optional<bool> wirelessLan;
    std::optional<QByteArray> ssid; ///< never empty
    std::optional<QByteArray> key;  ///< never empty
    std::optional<bool> dhcp;
    ///< IP address, subnet mask, default gateway, DNS server, as CQlxSdk_Ctrl orders them
    bool hasAddress[CQlxSdk_Ctrl::NETWORK_ADDRESS_COUNT] = {};
    CQlxSdk_Ctrl::AddressOctets addresses = {};
    std::optional<QlxShutdownMode> powerOff;

    // True when the row sets any of the network settings.
    bool setsNetwork() const;
};

// Reads the plan at path; shownName is how messages name the file. On false, error names the
// row and column at fault and rows is unspecified.
bool readFleetPlan(const QString &path, const QString &shownName, QVector<FleetRow> &rows, QString &error);
