#pragma once
// Clearing the caches the game's pages leave behind: the browser's URL cache
// (cookies stay), its temporary internet files, the Flash player's shared
// objects; and the browser's cache size limit.
#include <string>

// What the clear-cache command of an elevated main window does: has a short
// process of `launcherExe` ("/clearcache") clear with the player's rights,
// and at once, without waiting for it, tells the player that the caches are
// clear in a message box owned by no window. Returns when the box is closed.
void StartCacheClearing(const std::wstring& launcherExe);

// The clearing process's whole job: the Flash player's shared objects, then
// the URL cache. Nothing is reported; what cannot be deleted stays.
void ClearBrowserCache();
// Deletes the current user's "Macromedia\Flash Player\#SharedObjects" folder
// below the roaming application data, the folder included; a link in place
// of any folder below the application data is not followed.
void ClearFlashSharedObjects();
// Deletes every URL-cache entry but cookies, then the temporary internet
// files folder (as far as it is not in use).
void ClearUrlCache();

// Sets the browser's cache limit ("CacheLimit" of the current user's content
// cache key) to 1048576 kilobytes, whatever it was. False when the key is
// missing or cannot be written.
bool SetCacheLimit();
