#pragma once
// Answers the program's message boxes for a test while the object lives:
// each box is recorded in boxes and answered from the front of answers (IDOK
// once it is empty); the handler before it comes back afterwards. Header-only
// so the Qt-free test support library does not need the GUI library.

#include "platform/ui/message_box.h"
#include "templates/command_ids.h"

#include <deque>
#include <vector>

class MessageBoxScript
{
public:
    // answers may be null: every box is then answered IDOK.
    MessageBoxScript(std::vector<MessageBoxRecord>& boxes, std::deque<int>* answers = nullptr)
    {
        m_previous = SetMessageBoxHandler([&boxes, answers](const MessageBoxRecord& box) {
            boxes.push_back(box);
            if (!answers || answers->empty())
                return static_cast<int>(IDOK);
            const int answer = answers->front();
            answers->pop_front();
            return answer;
        });
    }
    ~MessageBoxScript() { SetMessageBoxHandler(m_previous); }
    MessageBoxScript(const MessageBoxScript&) = delete;
    MessageBoxScript& operator=(const MessageBoxScript&) = delete;

private:
    MessageBoxHandler m_previous;
};
