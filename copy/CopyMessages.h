#pragma once
// The copy command's own message (the runtime's are in runtime/Messages.h).

// What the copy command raises, as EOutOfMemory, when the joined text or its
// copy for the clipboard cannot be allocated. A constant: memory ran out.
inline constexpr char TooMuchTextMessage[] =
    "選んだお気に入りから作る文字列が長すぎて、一度にコピーできません。\r\n"
    "お気に入りを減らして、何回かに分けてコピーしてください。";
