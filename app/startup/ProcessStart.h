// What both programs do first, before anything opens a file or writes.
#pragma once

namespace vorsa
{

// Linux: opens /dev/null on each of the standard descriptors 0, 1 and 2 that was
// closed when the program started: otherwise the image or a track file
// would take its number, and progress lines would be written into a WAV
// file. Ends the program (status 71) if that cannot be done.
//
// Makes SIGPIPE and SIGXFSZ do nothing, so that a console that goes away
// and a file-size limit (ulimit -f) become failed writes, which the program
// reports (a full disk for the limit), instead of killing it without a word.
//
// Windows: a drive with no medium in it (an empty card reader, a CD drive
// with no disc) gives the program an error to show, not the system's own
// dialog asking to insert a disc. DLLs loaded by name come from the system
// folder alone, never from the current directory or the program's own.
void PrepareProcess();

} // namespace vorsa
