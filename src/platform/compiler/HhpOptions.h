#pragma once

#include <QByteArray>

// Reading and changing the "Compiled file=" option of an HTML Help project
// (".hhp") as the compiler reads it: in [OPTIONS], key without regard to case
// or surrounding blanks. The project is 8-bit text and stays bytes here.

// The trimmed value; empty when the project names no compiled file.
QByteArray HhpCompiledFile(const QByteArray& hhp);

// The project with every "Compiled file=" line of [OPTIONS] naming
// `compiledFile` instead; all other bytes kept.
QByteArray WithHhpCompiledFile(const QByteArray& hhp, const QByteArray& compiledFile);
