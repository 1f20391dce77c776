#pragma once
// Keeps the data folder the administrators' (FolderSecurityRules.h). Every
// launcher process runs elevated and reads and writes there, so each makes
// sure of it before it reads anything from it.
#include <string>

// Makes `folder` the administrators': created with the data folder's
// descriptor when missing and `create`; when its owner or DACL differs,
// given to Administrators with its DACL set anew, and so are its files. The
// folder above it ("Korvel") is created the same way when missing, and
// changed only when someone below administrator could put another folder
// in the data folder's place. Each change sets one object's descriptor:
// other programs' folders beside the data folder keep theirs. A link
// standing where either folder belongs is removed, never followed; links,
// folders and hard-linked files inside are left alone. True when the folder
// stands and every change took.
bool SecureDataFolder(const std::wstring& folder, bool create);

// Makes `folder` new with the data folder's descriptor, the folder above it
// as SecureDataFolder makes it. False when anything already stands at
// `folder`: only a folder made here and now is known to hold nothing of
// anyone else's.
bool MakeNewDataFolder(const std::wstring& folder);
