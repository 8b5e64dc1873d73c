#pragma once
// Root of everything stored on a board: components, wires, text fields, tables and
// pictures. Each concrete class is registered under its stored class name.

#include <QString>

class CArchive;
class CDC;

class CBoardObject {
public:
    virtual ~CBoardObject() = default;
    // The class name written into files ("CENpoort", "CDraad", ...).
    virtual const char* GetClassName() const = 0;
    // Reads or writes the object's record (the archive says which).
    virtual void Serialize(CArchive& ar) = 0;
    virtual void Draw(CDC& dc) = 0;
    // After a board was read: objects that show files of their own (pictures) load
    // them, trying the given folder when their own name is not found.
    virtual void LoadFiles(const QString& folder) { (void)folder; }
};
