// SPDX-License-Identifier: GPL-3.0-or-later
// The CSV file in a zip archive, read with libzip: built as the zip module.
#include "ZipCsv.h"

#include <zip.h>

#include <QFile>
#include <memory>

extern "C" Q_DECL_EXPORT void wingfolio_read_zip_csv(const QString& path, wf::ZipCsv* out) {
    using wf::ZipCsv;
    int error = 0;
    std::unique_ptr<zip_t, decltype(&zip_discard)> archive(
        zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &error), zip_discard);
    if (!archive) {
        out->result = ZipCsv::CannotOpen;
        return;
    }
    const zip_int64_t n = zip_get_num_entries(archive.get(), 0);
    for (zip_int64_t i = 0; i < n; ++i) {
        const char* name = zip_get_name(archive.get(), zip_uint64_t(i), 0);
        if (name == nullptr ||
            !QString::fromUtf8(name).endsWith(QLatin1String(".csv"), Qt::CaseInsensitive)) {
            continue;
        }
        out->name = QString::fromUtf8(name);
        zip_stat_t st;
        zip_stat_init(&st);
        if (zip_stat_index(archive.get(), zip_uint64_t(i), 0, &st) != 0 ||
            (st.valid & ZIP_STAT_SIZE) == 0 || st.size > (zip_uint64_t(1) << 31)) {
            out->result = ZipCsv::CannotStat;
            return;
        }
        if ((st.valid & ZIP_STAT_ENCRYPTION_METHOD) != 0 && st.encryption_method != ZIP_EM_NONE) {
            out->result = ZipCsv::Encrypted;
            return;
        }
        if ((st.valid & ZIP_STAT_COMP_METHOD) != 0 &&
            !zip_compression_method_supported(st.comp_method, 0)) {
            out->result = ZipCsv::Unsupported;
            return;
        }
        std::unique_ptr<zip_file_t, decltype(&zip_fclose)> file(
            zip_fopen_index(archive.get(), zip_uint64_t(i), 0), zip_fclose);
        if (!file) {
            const int code = zip_error_code_zip(zip_get_error(archive.get()));
            if (code == ZIP_ER_NOPASSWD || code == ZIP_ER_WRONGPASSWD ||
                code == ZIP_ER_ENCRNOTSUPP) {
                out->result = ZipCsv::Encrypted;
                return;
            }
            if (code == ZIP_ER_COMPNOTSUPP) {
                out->result = ZipCsv::Unsupported;
                return;
            }
        }
        out->bytes = QByteArray(qsizetype(st.size), Qt::Uninitialized);
        if (!file || zip_fread(file.get(), out->bytes.data(), st.size) != zip_int64_t(st.size)) {
            out->bytes.clear();
            out->result = ZipCsv::Damaged;
            return;
        }
        out->result = ZipCsv::Read;
        return;
    }
    out->result = ZipCsv::NoCsv;
}
