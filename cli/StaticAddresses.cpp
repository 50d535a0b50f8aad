#include "StaticAddresses.h"

#include "CliTexts.h"

#include <QSet>
#include <QStringList>

int repeatedAddress(const QVector<StaticAddress> &addresses)
{
    QSet<QString> seen;
    for (int i = 0; i < addresses.size(); ++i) {
        if (seen.contains(addresses.at(i).address))
            return i;
        seen.insert(addresses.at(i).address);
    }
    return -1;
}

QString repeatedAddressText(const QVector<StaticAddress> &addresses, int position)
{
    const QString address = addresses.at(position).address;
    QStringList serials;
    for (const StaticAddress &entry : addresses) {
        if (entry.address == address)
            serials.append(entry.serial);
    }
    return CliText::tr("The static address %1 would be given to more than one instrument: %2. "
                       "Nothing was written.")
        .arg(address, serials.join(QStringLiteral(", ")));
}
