#pragma once
// The check that every command writing static addresses to several instruments in one run
// makes before anything is written: no address goes to two instruments (network load --all,
// restore, apply). Addresses with DHCP on are not static and are not given here.

#include <QString>
#include <QVector>

struct StaticAddress
{
    QString serial;  ///< the instrument that would get the address
    QString address; ///< as addressText writes it
};

// The position of the first entry whose address an earlier entry has too; -1 when none has.
int repeatedAddress(const QVector<StaticAddress> &addresses);

// The refusal of the address at position, naming every instrument that would get it.
QString repeatedAddressText(const QVector<StaticAddress> &addresses, int position);
