// Process-wide reporting shared by decoders and encoders. Nothing is written
// unless a trace file is named; the level decides which lines go there.
#pragma once

// Appends text to the trace file when the trace level is at least level.
void Trace(int level, const char* text);
// Writes "Decoder error: <text>\n" (at most 256 bytes) like Trace at level
// 0 and returns; the code only classifies the failure for the caller.
void RaiseError(int code, const char* text);

// Sets the trace level and file (null: no file).
void SetTraceConfig(int level, const char* fileName);
int GetTraceLevel();
// Forgets the trace file name (every decoder does this when destroyed).
void ResetTraceFileName();
