#pragma once

#include <QString>

// chmcmd 3.2.2 writes two header fields of a compiled help file wrongly:
// - the second GUID of the ITSF header repeats the first
//   ({7C01FD10-...} where {7C01FD11-...} belongs), which libmspack refuses;
// - once the directory needs more than one 4 KB listing chunk, the ITSP
//   header's "first listing chunk" names the last one, so chmlib, which
//   walks the listing chunks from that field, misses every file before it.
// Repairs both in place after checking that the directory is a sound chain
// of listing chunks. Changes nothing in a file that is already right.
// False, with `error` set, when the file is not a help file this can read.
bool RepairChmcmdHeaders(const QString& chmFile, QString* error = nullptr);
