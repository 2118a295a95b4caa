// Writing the import report: into the temporary folder for Report A
// Problem, or where the user saves it.
#ifndef KESTRIX_VIEWS_IMPORT_IMPORT_REPORT_FILE_H
#define KESTRIX_VIEWS_IMPORT_IMPORT_REPORT_FILE_H

#include <QString>

#include <ctime>

namespace kestrix {

// Writes text as UTF-8, replacing the file only once all of it is written.
// False with the reason in error.
bool writeTextFileAtomically(const QString &path, const QString &text, QString *error);

// The report in the temporary folder under its report file name; the path
// written, or empty with the reason in error.
QString writeProblemReport(const QString &report, const QString &sessionPath, std::time_t time, QString *error);

} // namespace kestrix

#endif
