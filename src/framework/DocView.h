#pragma once
// The single-document pieces: a document, a view that fills its frame, the
// frame window, and the template that makes the three together.
#include <memory>

#include "framework/Wnd.h"

// The control id of the view inside its frame.
constexpr UINT AFX_IDW_PANE_FIRST_ID = 0xE900;

// A document of the framework's kind; ours hold nothing.
class CDocument {
public:
    virtual ~CDocument() = default;
};

class CView : public CWnd {
public:
    // Once the view and its document stand: the view's first update.
    virtual void OnInitialUpdate() {}
    // The view's turn at a message its frame has not taken; TRUE consumes it.
    // Asked by the frame, so a frame's own keys always come first.
    virtual BOOL TranslateViewKey(MSG*) { return FALSE; }
};

class CFrameWnd : public CWnd {
public:
    CView* m_pView = nullptr;  // the template's view, which fills the client area

    // Window styles and size before creation.
    virtual BOOL PreCreateWindow(CREATESTRUCTW& cs);
    void SetTitle(const std::wstring& title) { SetWindowText(title); }

    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    // Default: the view's keys (TranslateViewKey).
    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    // The framework's part of WM_CREATE: the view as a child filling the frame.
    virtual int OnCreate(CREATESTRUCTW* cs);
    // Lays the view over the whole client area.
    void RecalcLayout();

    friend class CSingleDocTemplate;
};

// Makes one document, its frame and the view in it; owns all three.
class CSingleDocTemplate {
public:
    ~CSingleDocTemplate();

    // A new empty Document in a new Frame that holds a View; null when the
    // frame cannot be made. The frame is created hidden; the view gets its
    // first update.
    template <class Document, class Frame, class View>
    CFrameWnd* OpenDocumentFile() {
        m_document = std::make_unique<Document>();
        m_view = std::make_unique<View>();
        m_frame = std::make_unique<Frame>();
        return OpenFrame();
    }

private:
    CFrameWnd* OpenFrame();

    std::unique_ptr<CDocument> m_document;
    std::unique_ptr<CView> m_view;  // destroyed after the frame, whose child it is
    std::unique_ptr<CFrameWnd> m_frame;
};
