#pragma once
// Properties of the file readers that hold whatever bytes a file holds. The fuzz targets
// abort when one breaks; the regression test replays the inputs kept in the repository
// through the same checks.

#include <QByteArray>

enum class FileReader
{
    NetworkSettings, ///< CFileIO::GetNetworkInfoFromFile
    WhitePlate,      ///< CFileIO::GetCalRefDataFromFile, white calibration plate form
    AmbientAdapter   ///< CFileIO::GetCalRefDataFromFile, ambient light adapter form
};

// Files a check may write: the input, and the network file written back from a record.
struct ReaderScratch
{
    QByteArray inputPath;
    QByteArray outputPath;
};

// Writes content to scratch.inputPath, reads it with reader and returns a description of
// every property that does not hold, one per line; empty when all hold.
QByteArray checkFileReader(FileReader reader, const QByteArray &content, const ReaderScratch &scratch);
