// Process-wide reporting shared by decoders and encoders. Nothing is written
// unless a trace file is named; the level decides which lines go there. The
// settings belong to whoever sets them (no decoder changes them) and may be
// read and changed from any thread.
#pragma once

// Appends text to the trace file when the trace level is at least level.
void Trace(int level, const char* text);
// Writes "Decoder error: <text>\n" (at most 256 bytes) like Trace at level
// 0 and returns; the code only classifies the failure for the caller.
void RaiseError(int code, const char* text);

// Sets the trace level and file (null: no file).
void SetTraceConfig(int level, const char* fileName);
int GetTraceLevel();
