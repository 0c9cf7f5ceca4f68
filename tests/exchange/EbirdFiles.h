// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <zip.h>

#include <QByteArray>
#include <QFile>
#include <QString>

#include "TempDir.h"

namespace wf::test {

// "My eBird Data" as eBird writes it, with the cases an import meets:
// quoted commas and line breaks, X counts, subspecies groups and an
// intergrade, records that are not one species, a species by its old genus,
// one the world list lacks, and a place outside the Latin script. The
// columns are not in eBird's order and one extra column is there.
inline QByteArray myEbirdData() {
    return QByteArray(
        "Submission ID,Common Name,Scientific Name,Taxonomic Order,Count,State/Province,County,"
        "Location ID,Location,Latitude,Longitude,Date,Time,Protocol,Duration (Min),"
        "All Obs Reported,Distance Traveled (km),Area Covered (ha),Number of Observers,"
        "Breeding Code,Observation Details,Checklist Comments,ML Catalog Numbers,Extra\r\n"
        "S100,Mallard,Anas platyrhynchos,337,12,US-NC,Wake,L1,\"Lake Johnson, west shore\","
        "35.76,-78.71,2024-03-21,07:15 AM,eBird - Traveling Count,90,1,2.5,,2,,"
        "\"pair, \"\"courting\"\"\nsecond line\",Windy,123456,x\r\n"
        "S100,Northern Flicker (Yellow-shafted),Colaptes auratus [auratus Group],10625,X,US-NC,"
        "Wake,L1,\"Lake Johnson, west shore\",35.76,-78.71,2024-03-21,07:15 AM,"
        "eBird - Traveling Count,90,1,2.5,,2,,,Windy,,\r\n"
        "S100,duck sp.,Anatidae sp.,400,3,US-NC,Wake,L1,\"Lake Johnson, west shore\",35.76,"
        "-78.71,2024-03-21,07:15 AM,eBird - Traveling Count,90,1,2.5,,2,,,Windy,,\r\n"
        "S100,Carolina/Black-capped Chickadee,Poecile carolinensis/atricapillus,20970,1,US-NC,"
        "Wake,L1,\"Lake Johnson, west shore\",35.76,-78.71,2024-03-21,07:15 AM,"
        "eBird - Traveling Count,90,1,2.5,,2,,,Windy,,\r\n"
        "S100,Mallard x American Black Duck (hybrid),Anas platyrhynchos x rubripes,341,1,US-NC,"
        "Wake,L1,\"Lake Johnson, west shore\",35.76,-78.71,2024-03-21,07:15 AM,"
        "eBird - Traveling Count,90,1,2.5,,2,,,Windy,,\r\n"
        "S100,Mallard (Domestic type),Anas platyrhynchos (Domestic type),339,4,US-NC,Wake,L1,"
        "\"Lake Johnson, west shore\",35.76,-78.71,2024-03-21,07:15 AM,"
        "eBird - Traveling Count,90,1,2.5,,2,,,Windy,,\r\n"
        "S101,Northern Flicker (Yellow-shafted x Red-shafted),Colaptes auratus luteus x cafer,"
        "10630,1,US-NC,Wake,L2,Home,35.80,-78.60,2024-12-31,11:50 PM,Incidental,,0,,,1,,,,,\r\n"
        "S102,Carolina Chickadee,Parus carolinensis,20971,2,US-NC,Durham,L3,Duke Forest,36.0,"
        "-78.9,2025-01-01,,eBird - Stationary Count,30,1,,,1,,,,,\r\n"
        "S103,Mystery Warbler,Setophaga mysteria,99999,1,US-NC,Durham,L3,Duke Forest,36.0,-78.9,"
        "2025-01-02,8:05 AM,eBird - Exhaustive Area Count,60,1,,1.5,1,,,,,\r\n"
        "S104,Eurasian Tree Sparrow,Passer montanus,29772,5,JP-13,\xe5\x8f\xb0\xe6\x9d\xb1"
        "\xe5\x8c\xba,L4,\xe4\xb8\x8a\xe9\x87\x8e\xe5\x85\xac\xe5\x9c\x92,35.71,139.77,"
        "2025-04-05,10:00 AM,eBird - Casual Observation,,0,,,1,,,,,\r\n");
}

inline QString writeFile(const TempDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.file(name);
    writeAll(path, bytes);
    return path;
}

// A zip archive holding one file, as eBird's download comes.
// With a password, the file is encrypted (AES-256).
inline QString writeZip(const TempDir& dir, const QString& name, const QString& inner,
                        const QByteArray& bytes, const char* password = nullptr) {
    const QString path = dir.file(name);
    int error = 0;
    zip_t* z = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    EXPECT_NE(z, nullptr);
    zip_source_t* src = zip_source_buffer(z, bytes.constData(), zip_uint64_t(bytes.size()), 0);
    const zip_int64_t index = zip_file_add(z, inner.toUtf8().constData(), src, ZIP_FL_OVERWRITE);
    EXPECT_GE(index, 0);
    if (password != nullptr) {
        EXPECT_EQ(zip_file_set_encryption(z, zip_uint64_t(index), ZIP_EM_AES_256, password), 0);
    }
    EXPECT_EQ(zip_close(z), 0);
    return path;
}

}  // namespace wf::test
