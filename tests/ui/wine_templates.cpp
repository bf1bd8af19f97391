// Every dialog template as compiled into the program, read back from the
// module: caption, font, size and styles, then each control's id, class,
// place, size, style and text, against one table.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "resources/resource.h"

namespace {

// Each dialog as designed: one line for the dialog, then one per control in
// template order:
//   "caption | font face, points, weight, italic, charset | x,y cxxcy | style ex-style"
//   "id class x,y cxxcy style text"
// Styles in hex; a text or class given by number shows as "#number". A dialog
// in the module without a row fails, printing its lines ready to be pasted.
const std::map<int, std::vector<std::string>> kDialogs = {
    {IDD_CONFIRM,
     {"Noctil ! | ＭＳ Ｐゴシック 9 0 0 1 | 0,0 211x58 | 80C80040 00000080",
      "1 Button 154,37 50x14 50010001 中止",
      "1004 Static 7,7 197x24 50020000 ",
      "1000 Static 63,35 70x8 50020000 "}},
    {IDD_ABOUT,
     {"このソフトについて | ＭＳ Ｐゴシック 9 0 0 128 | 0,0 241x85 | 80C800C0 00000080",
      "1 Button 184,64 50x14 50010001 OK",
      "1001 Static 102,70 60x8 50020000 Version 0.0",
      "-1 STATIC 4,3 94x75 5000000E #113",
      "-1 Static 103,9 123x11 50020000 Copyright (C) 2026 Noctil developers",
      "-1 Static 101,56 92x8 50020000 for Windows9x,NT/2000/XP"}},
    {IDD_WAIT,
     {" | ＭＳ Ｐゴシック 9 0 0 1 | 0,0 137x47 | 80800040 00000000",
      "-1 Static 22,22 108x17 50020000 全ウインドウの動作を待っています。\\r\\n数秒以内にシャットダウンされます。",
      "-1 Static 7,7 72x8 50020000 Noctil!:"}},
    {IDD_WINDOW_PICKER,
     {"対象のｳｲﾝﾄﾞｳの選択 | ＭＳ Ｐゴシック 9 0 0 128 | 0,0 223x206 | 80C800C0 00000080",
      "1 Button 166,7 50x14 50010001 OK",
      "2 Button 166,23 50x14 50010000 ｷｬﾝｾﾙ",
      "1002 Edit 40,59 142x14 50810080 ",
      "1003 Static 15,7 0x0 50000003 #124",
      "-1 Button 7,45 209x48 50000007 選択中のｳｲﾝﾄﾞｳ又はﾎﾞﾀﾝ",
      "-1 Static 15,61 15x8 50020000 名前",
      "-1 Static 43,11 113x18 50020000 ←このカーソルを対象ウインドウまで\\r\\n　移動してください。",
      "-1 Static 7,164 193x35 50001000 　ウインドウを選択する場合→タイトルバー\\r\\n　ボタンを選択する場合→ボタン\\r\\n\\n　その他エディットボックスなども選択できます。",
      "-1 Button 7,96 194x57 50000007 終了条件",
      "1008 Edit 41,77 139x12 50830880 ",
      "1005 Button 14,122 79x10 50010009 名称が変更されたとき",
      "1006 Button 82,108 112x10 50010009 ウインドウの破棄または選択不能",
      "1007 Button 14,136 149x10 50010009 アクティブな状態から非アクティブになったとき",
      "1009 Button 14,108 65x10 50010009 ウインドウの破棄"}},
    {IDD_NETWORK,
     {"ネットワーク監視 | ＭＳ Ｐゴシック 9 0 0 128 | 0,0 203x77 | 80C800C0 00000080",
      "1 Button 146,7 50x14 50010001 OK",
      "2 Button 146,24 50x14 50010000 ｷｬﾝｾﾙ",
      "-1 Button 7,7 129x36 50000007 対象ホスト",
      "1011 Edit 21,21 107x14 50810080 ",
      "-1 Static 7,52 160x18 50020000 設定したホストへのPINGが失敗したときにシャットダウンを行います。"}},
    {IDD_COUNTDOWN,
     {"カウントダウンタイマー | ＭＳ Ｐゴシック 9 0 0 128 | 0,0 227x137 | 80C800C0 00000000",
      "1 Button 170,37 50x14 50010001 OK",
      "2 Button 170,55 50x14 50010000 ｷｬﾝｾﾙ",
      "1013 Edit 26,49 28x14 50812080 ",
      "1012 MSCTLS_UPDOWN32 54,49 7x14 50000034 ",
      "-1 Static 63,51 15x8 50020000 時間",
      "1014 Edit 87,49 28x14 50812080 ",
      "1015 MSCTLS_UPDOWN32 115,49 7x14 50000035 ",
      "-1 Static 126,51 16x8 50020000 分後",
      "-1 Button 13,31 145x40 50000007 設定する時間",
      "1016 Button 21,85 31x14 50010000 ３分後",
      "1017 Button 87,85 31x14 50010000 15分後",
      "1018 Button 54,85 31x14 50010000 １０分後",
      "1019 Button 120,85 31x14 50010000 ３０分後",
      "-1 Button 13,72 145x50 50000007 次の時間を設定",
      "1020 Button 21,101 31x14 50010000 1時間後",
      "1021 Button 87,101 31x14 50010000 5時間後",
      "1022 Button 54,101 31x14 50010000 2時間後",
      "1023 Button 120,101 31x14 50010000 ８時間後",
      "-1 Static 7,7 149x8 50020000 次の時間が経過した時にシャットダウンを行います。"}},
    {IDD_CLOCK_TIME,
     {"時間を指定して開始 | ＭＳ Ｐゴシック 9 0 0 128 | 0,0 187x86 | 80C800C0 00000080",
      "1 Button 130,41 50x14 50010001 OK",
      "2 Button 130,58 50x14 50010000 ｷｬﾝｾﾙ",
      "-1 Static 13,13 101x8 50020000 タイマーを次の時間に設定します。",
      "1018 Edit 22,49 22x14 50810080 ",
      "1012 MSCTLS_UPDOWN32 45,49 7x14 50000034 ",
      "1017 Edit 69,49 22x14 50810080 ",
      "1015 MSCTLS_UPDOWN32 92,49 7x14 50000034 ",
      "-1 Static 55,53 8x8 50020000 時",
      "-1 Static 102,53 8x8 50020000 分",
      "-1 Button 7,35 118x37 50000007 設定する時間"}},
    {IDD_AUTOSTART,
     {"自動スタートの設定 | ＭＳ Ｐゴシック 9 0 0 128 | 0,0 249x195 | 80C800C0 00000000",
      "1 Button 192,12 50x14 50010001 OK",
      "2 Button 192,30 50x14 50010000 ｷｬﾝｾﾙ",
      "1005 Button 16,44 100x10 50030009 時間を設定",
      "1006 Button 16,84 100x10 50010009 カウントダウン",
      "1007 Button 16,124 100x10 50010009 ネットワーク監視",
      "1009 Button 16,24 100x10 50010009 設定しない",
      "1023 Edit 30,58 28x14 50832082 ",
      "1025 MSCTLS_UPDOWN32 58,58 7x14 50000034 ",
      "-1 Static 62,61 10x8 50020000 時",
      "1024 Edit 78,58 28x14 50812082 ",
      "1026 MSCTLS_UPDOWN32 106,58 7x14 50000034 ",
      "-1 Static 110,61 10x8 50020000 分",
      "1020 Edit 30,98 28x14 50812082 ",
      "1012 MSCTLS_UPDOWN32 58,98 7x14 50000034 ",
      "-1 Static 62,101 20x8 50020000 時間",
      "1021 Edit 88,98 28x14 50812082 ",
      "1015 MSCTLS_UPDOWN32 116,98 7x14 50000034 ",
      "-1 Static 120,101 20x8 50020000 分後",
      "-1 Static 30,141 22x8 50020000 HOST:",
      "1019 Edit 54,138 122x14 50810080 ",
      "-1 Button 7,7 178x181 50000007 起動時に自動スタート"}},
};

// Reads an extended dialog template (DLGTEMPLATEEX and its items).
class TemplateReader {
public:
    explicit TemplateReader(const BYTE* data) : start_(data), p_(data) {}
    WORD word() { WORD w; std::memcpy(&w, p_, 2); p_ += 2; return w; }
    DWORD dword() { DWORD d; std::memcpy(&d, p_, 4); p_ += 4; return d; }
    short number() { return static_cast<short>(word()); }
    // A string, or 0xFFFF and a number.
    std::string text()
    {
        if (peek() == 0xFFFF) {
            word();
            return "#" + std::to_string(word());
        }
        std::wstring wide;
        while (WORD c = word())
            wide += static_cast<wchar_t>(c);
        char out[1024] = {};
        WideCharToMultiByte(932, 0, wide.c_str(), -1, out, sizeof out, nullptr, nullptr);
        std::string shown;
        for (const char* c = out; *c != '\0'; ++c)
            shown += *c == '\r' ? "\\r" : *c == '\n' ? "\\n" : std::string(1, *c);
        return shown;
    }
    void alignToDword() { p_ = start_ + ((p_ - start_ + 3) & ~3); }
    void skip(size_t bytes) { p_ += bytes; }

private:
    WORD peek() const { WORD w; std::memcpy(&w, p_, 2); return w; }
    const BYTE* start_;
    const BYTE* p_;
};

std::string format(const char* pattern, ...)
{
    char line[1024];
    va_list args;
    va_start(args, pattern);
    std::vsnprintf(line, sizeof line, pattern, args);
    va_end(args);
    return line;
}

std::string className(const std::string& text)
{
    static const std::map<std::string, std::string> predefined = {
        {"#128", "Button"}, {"#129", "Edit"}, {"#130", "Static"}, {"#131", "ListBox"}, {"#132", "ScrollBar"},
        {"#133", "ComboBox"}};
    const auto found = predefined.find(text);
    return found != predefined.end() ? found->second : text;
}

std::vector<std::string> dumpTemplate(const BYTE* data)
{
    TemplateReader r(data);
    std::vector<std::string> lines;
    if (r.word() != 1 || r.word() != 0xFFFF)
        return {"not an extended template"};
    r.dword(); // help id
    const DWORD exStyle = r.dword();
    const DWORD style = r.dword();
    const int count = r.word();
    const short x = r.number(), y = r.number(), cx = r.number(), cy = r.number();
    r.text(); // menu
    r.text(); // window class
    const std::string caption = r.text();
    std::string font = "-";
    if (style & (DS_SETFONT | DS_SHELLFONT)) {
        const int points = r.word();
        const int weight = r.word();
        const int italicAndCharset = r.word();
        const std::string face = r.text();
        font = format("%s %d %d %d %d", face.c_str(), points, weight, italicAndCharset & 0xFF, italicAndCharset >> 8);
    }
    lines.push_back(format("%s | %s | %d,%d %dx%d | %08lX %08lX", caption.c_str(), font.c_str(), x, y, cx, cy, style,
                           exStyle));
    for (int i = 0; i < count; ++i) {
        r.alignToDword();
        r.dword(); // help id
        r.dword(); // ex-style
        const DWORD itemStyle = r.dword();
        const short ix = r.number(), iy = r.number(), icx = r.number(), icy = r.number();
        const int id = static_cast<int>(r.dword());
        const std::string itemClass = className(r.text());
        const std::string text = r.text();
        r.skip(r.word()); // creation data
        lines.push_back(format("%d %s %d,%d %dx%d %08lX %s", id, itemClass.c_str(), ix, iy, icx, icy, itemStyle,
                               text.c_str()));
    }
    return lines;
}

BOOL CALLBACK collectDialog(HMODULE, LPCSTR, LPSTR name, LONG_PTR param)
{
    if (IS_INTRESOURCE(name))
        reinterpret_cast<std::vector<int>*>(param)->push_back(static_cast<int>(reinterpret_cast<uintptr_t>(name)));
    return TRUE;
}

TEST(DialogTemplates, EveryDialogAsDesigned)
{
    ASSERT_EQ(932u, GetACP());
    std::vector<int> ids;
    EnumResourceNamesA(nullptr, reinterpret_cast<LPCSTR>(RT_DIALOG), collectDialog, reinterpret_cast<LONG_PTR>(&ids));
    for (const auto& row : kDialogs)
        EXPECT_NE(std::find(ids.begin(), ids.end(), row.first), ids.end()) << "dialog " << row.first << " missing";
    for (int id : ids) {
        HRSRC res = FindResourceA(nullptr, MAKEINTRESOURCEA(id), reinterpret_cast<LPCSTR>(RT_DIALOG));
        const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, res)));
        ASSERT_NE(nullptr, data) << "dialog " << id;
        const std::vector<std::string> actual = dumpTemplate(data);
        const auto row = kDialogs.find(id);
        if (row == kDialogs.end()) {
            std::string all;
            for (const std::string& line : actual)
                all += "\n    \"" + line + "\",";
            ADD_FAILURE() << "no row for dialog " << id << "; it holds:" << all;
            continue;
        }
        const std::vector<std::string>& expected = row->second;
        for (size_t i = 0; i < expected.size() || i < actual.size(); ++i) {
            EXPECT_EQ(i < expected.size() ? expected[i] : "(none)", i < actual.size() ? actual[i] : "(none)")
                << "dialog " << id << ", line " << i;
        }
    }
}

} // namespace
