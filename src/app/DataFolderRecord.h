#pragma once
// Which data folder the installer made itself. Anyone may make folders in
// the common application-data folder, and the launcher starts programs from
// its data folder as administrator: a folder found there that the installer
// did not make, or one put in its place since, is nothing of ours, however
// its owner and permissions read now. The installer notes the folder it made
// (its volume and file id) in the local machine's part of the
// registry, where only administrators write, beside the launcher's key: an
// uninstallation takes that key away but leaves the folder and its
// Statistic.ini, and a later installation still knows the folder as its own.
#include <string>

// Whether `folder` is the very folder the installer made (and not a link).
bool IsRecordedDataFolder(const std::wstring& folder);

// Notes `folder` as the one the installer made; false when it could not.
bool RecordDataFolder(const std::wstring& folder);
