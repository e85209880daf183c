#pragma once
#include <string>

// A text file written in whole lines, or standard output for "-": what one Write
// hands in reaches the file as whole lines or not at all. A write the file takes
// only in part (a full disk, a file-size limit) is cut back to its last whole line
// (regular files only; a pipe takes the small blocks written here whole or not at
// all), so a reader of the file never meets half a line. After a failure nothing
// more is written. Not thread-safe; one owner.
class LineOutput {
public:
    LineOutput() = default;
    ~LineOutput();
    LineOutput(const LineOutput&) = delete;
    LineOutput& operator=(const LineOutput&) = delete;

    // Creates (or empties) the file. false with Reason() when it cannot.
    bool Open(const std::string& path);
    bool IsOpen() const { return fd >= 0; }
    // Writes `lines`, which end in a newline. false with Reason() when the file did
    // not take them all; the file then ends with the last whole line it took.
    bool Write(const std::string& lines);
    // Closes the file (standard output stays open). false with Reason() when the
    // system reports a failed write only now.
    bool Close();
    bool Failed() const { return failed; }
    // What went wrong, as the system says it ("No space left on device").
    const std::string& Reason() const { return reason; }

private:
    bool Fail(int error);

    int fd = -1;
    bool ownsFd = false;
    bool seekable = false;
    long long goodBytes = 0;  // the file's length after the last whole line written
    bool failed = false;
    std::string reason;
};
