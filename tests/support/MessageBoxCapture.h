#pragma once

#include "platform/MessageBox.h"

#include <QString>

#include <functional>
#include <vector>

// Answers every message box while it lives, instead of a modal loop, and keeps what each showed.
class MessageBoxCapture
{
  public:
    struct Message
    {
        QString text;
        unsigned nType;
    };
    using Rule = std::function<int(const Message&)>;

    explicit MessageBoxCapture(int nAnswer = IDOK);
    ~MessageBoxCapture();
    MessageBoxCapture(const MessageBoxCapture&) = delete;
    MessageBoxCapture& operator=(const MessageBoxCapture&) = delete;

    // The answer to the boxes from now on, the same for all or by a rule.
    void Answer(int nAnswer);
    void Answer(Rule rule);

    const std::vector<Message>& Messages() const { return m_messages; }
    std::vector<QString> Texts() const;
    void Clear() { m_messages.clear(); }

  private:
    std::vector<Message> m_messages;
    Rule m_rule;
};
