#pragma once
// The text of an Internet Shortcut file, as the host's favorites hold them.

#include <string>

// CRLF line ends; an empty lastVisit or comment leaves its key out, and both
// empty leave the Log section out.
inline std::string ShortcutText(const std::string& url, const std::string& comment = "",
                                const std::string& lastVisit = "") {
    std::string text = "[InternetShortcut]\r\nURL=" + url + "\r\n";
    if (!comment.empty() || !lastVisit.empty()) {
        text += "[Log]\r\n";
        if (!comment.empty())
            text += "UserComment=" + comment + "\r\n";
        if (!lastVisit.empty())
            text += "LastVisit=" + lastVisit + "\r\n";
    }
    return text;
}
