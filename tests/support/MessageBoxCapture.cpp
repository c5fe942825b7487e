#include "MessageBoxCapture.h"

MessageBoxCapture::MessageBoxCapture(int nAnswer)
{
    Answer(nAnswer);
    SetMessageBoxHandler([this](const QString& text, unsigned nType) {
        m_messages.push_back({text, nType});
        return m_rule(m_messages.back());
    });
}

MessageBoxCapture::~MessageBoxCapture()
{
    SetMessageBoxHandler({});
}

void MessageBoxCapture::Answer(int nAnswer)
{
    m_rule = [nAnswer](const Message&) { return nAnswer; };
}

void MessageBoxCapture::Answer(Rule rule)
{
    m_rule = std::move(rule);
}

std::vector<QString> MessageBoxCapture::Texts() const
{
    std::vector<QString> texts;
    for (const Message& message : m_messages)
        texts.push_back(message.text);
    return texts;
}
