#ifndef CELYSOUBOR_H
#define CELYSOUBOR_H

#include <sys/types.h>

#include <fstream>
#include <stdexcept>
#include <string>

// A failure of CelySoubor for the path as the caller gave it: the file could not be created
// (`Otevreni`: a missing or read-only folder, a directory, a file the user may not write) or
// not written whole (`Zapis`: a full disk, a size limit, a failing device).
class ChybaSouboru : public std::runtime_error {
public:
    enum class Druh { Otevreni, Zapis };
    ChybaSouboru(Druh druh, const std::string& cesta);
    Druh druh() const { return druh_; }
    const std::string& cesta() const { return cesta_; }

private:
    Druh druh_;
    std::string cesta_;
};

// An output file that appears whole or not at all. The text goes to a temporary file in the
// target's folder ("TARGET.XXXXXX"), which potvrd() flushes, syncs and renames over the
// target. Until then the target keeps its old content byte for byte; a failure, an exception
// or one of the signals of UklidDocasnych.h removes the temporary file. Two writers of one
// target each leave it whole: the last rename wins.
//
// A symbolic link as the target is written through: what it points at is replaced and the
// link kept. An existing target keeps its permission bits (and its owner, where the process
// may set it); a new one gets 0666 & ~umask. A target that exists but is not a regular file
// (a device such as /dev/null, a FIFO) cannot be replaced and is written in place.
class CelySoubor {
public:
    // Raises ChybaSouboru (Otevreni) when the file cannot be created.
    explicit CelySoubor(const std::string& cesta);
    ~CelySoubor();
    CelySoubor(const CelySoubor&) = delete;
    CelySoubor& operator=(const CelySoubor&) = delete;

    // Where the text goes, open for writing.
    std::fstream& proud() { return proud_; }
    // Puts the written text in place of the target; raises ChybaSouboru (Zapis) when any step
    // fails, and the target is then as it was.
    void potvrd();

private:
    void zahod() noexcept;

    std::string cesta_;     // as given, for the messages
    std::string cil_;       // the file that is replaced, after the links
    std::string docasna_;   // the temporary file; empty when the target is written in place
    int deskriptor_ = -1;   // of the temporary file
    int misto_ = -1;        // in the memory of UklidDocasnych
    mode_t prava_ = 0;
    uid_t vlastnik_ = 0;
    gid_t skupina_ = 0;
    bool existoval_ = false;
    bool hotovo_ = false;
    std::fstream proud_;
};

#endif
