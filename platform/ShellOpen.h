#pragma once

#include <QString>

#include <functional>

// Asks the desktop to open an address with its usual program (a browser for web pages and
// HTML files). Returns at once, waits for nothing and shows nothing, whether or not a program
// could be started.
void ShellExecuteOpen(const QString& url);

// Tests watch the addresses here instead of starting a browser. An empty opener restores the
// desktop's.
using UrlOpener = std::function<void(const QString& url)>;
void SetUrlOpener(UrlOpener opener);
