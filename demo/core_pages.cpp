#include "demo/core_pages.h"

#include <array>

#include "demo/html_page.h"

namespace demo {
namespace {

// How one core's page looks and which elements carry the names the client looks for. The
// names sit on different attributes from core to core (name, id, class), as on the real
// sites; `decoys` are elements placed before the real ones that a client following the
// selection rules passes over (an input of an uncounted type, a link whose class only
// contains the play link's class).
struct CoreLook {
  const char* caption;
  const char* slogan;
  const char* accent;
  const char* inputId;
  const char* decoys;
  const char* input;
  const char* link;
};

const std::array<CoreLook, kCoreCount>& CoreLooks() {
  static const std::array<CoreLook, kCoreCount> looks = {{
      {"青禾云点播", "全网视频 一键解析", "#2e7d4f", "u-box", "",
       "<input type=\"text\" name=\"u\" id=\"u-box\" placeholder=\"请粘贴视频地址\">",
       "<a class=\"play-button\" href=\"javascript:void(0)\" onclick=\"return qhPlay()\">"
       "播 放</a>"},
      {"松果云点播", "极速解析 高清流畅", "#a0522d", "u", "",
       "<input type=\"text\" id=\"u\" placeholder=\"请粘贴视频地址\">",
       "<a class=\"play-button vip\" href=\"javascript:void(0)\" onclick=\"return qhVipOnly()\">"
       "VIP通道</a>"
       "<a class=\"play-button\" href=\"javascript:void(0)\" onclick=\"return qhPlay()\">"
       "播 放</a>"},
      {"白鹭云点播", "大家都在看的云点播", "#2f5f8f", "playAddr", "",
       "<input type=\"text\" id=\"playAddr\" name=\"addr\" placeholder=\"请粘贴视频地址\">",
       "<a id=\"playBtn\" href=\"javascript:void(qhPlay())\">开始播放</a>"},
      {"竹溪云点播", "清爽无广告的解析站", "#4f7942", "vurl",
       "<input type=\"hidden\" name=\"u\" value=\"\">",
       "<input type=\"text\" name=\"u\" id=\"vurl\" placeholder=\"请粘贴视频地址\">",
       "<a class=\"play-button\" href=\"javascript:void(0)\" onclick=\"return qhPlay()\">"
       "播 放</a>"},
      {"海棠云点播", "一个地址 随处播放", "#b03a48", "playurl", "",
       "<input type=\"text\" name=\"playurl\" id=\"playurl\" placeholder=\"请粘贴视频地址\">",
       "<a id=\"playnow\" href=\"javascript:void(0)\" onclick=\"return qhPlay()\">立即播放</a>"},
  }};
  return looks;
}

const CoreLook& Look(int core) {
  return CoreLooks()[static_cast<std::size_t>(core - 1)];
}

// The page is wider and taller than the client's browser box, which scrolls it to 100,137;
// the player column then sits just inside the box.
std::string Style(const CoreLook& look) {
  std::string style =
      "body{margin:0;background:#f2f0e9;color:#333;min-width:1100px;"
      "font:14px 'Noto Sans CJK SC','Microsoft YaHei',sans-serif}\n"
      ".wrap{width:1100px;margin:0 auto}\n"
      ".top{height:125px;background:ACCENT;color:#fff;padding:0 110px;box-sizing:border-box}\n"
      ".logo{font-size:30px;font-weight:bold;line-height:80px;letter-spacing:2px}\n"
      ".slogan{margin-left:18px;font-size:15px;opacity:.85}\n"
      ".nav{line-height:40px}.nav a{color:#fff;margin-right:22px;text-decoration:none}\n"
      ".main{padding:12px 110px 0}\n"
      ".bar{height:40px;display:flex;align-items:center}\n"
      ".bar input[type=text]{width:520px;height:30px;padding:0 8px;border:2px solid ACCENT;"
      "font:14px monospace;outline:none}\n"
      ".bar a{display:inline-block;height:34px;line-height:34px;padding:0 22px;"
      "margin-left:8px;background:ACCENT;color:#fff;text-decoration:none;font-weight:bold}\n"
      ".bar a.vip{background:#c9a227}\n"
      ".note{margin-left:12px;color:#777;white-space:nowrap;overflow:hidden;"
      "text-overflow:ellipsis;max-width:220px}\n"
      ".stage{display:flex;margin-top:8px}\n"
      ".screen{position:relative;width:640px;height:360px}\n"
      "video{width:640px;height:360px;background:#000;display:block}\n"
      ".idle{position:absolute;left:0;top:0;width:640px;height:360px;color:#ddd;"
      "text-align:center;padding-top:140px;box-sizing:border-box;font-size:16px;"
      "pointer-events:none;background:linear-gradient(135deg,#1d1d1d,ACCENT)}\n"
      ".idle b{display:block;font-size:30px;color:#fff;margin-bottom:12px;letter-spacing:4px}\n"
      ".side{width:220px;margin-left:20px;background:#fff;padding:12px;box-sizing:border-box;"
      "height:360px;overflow:hidden}\n"
      ".side h3{margin:0 0 8px;color:ACCENT;font-size:15px}\n"
      ".side code{word-break:break-all;font-size:12px;color:#555}\n"
      ".help{margin-top:24px;background:#fff;padding:16px 20px;line-height:26px}\n"
      ".foot{margin-top:24px;padding:30px 0 200px;text-align:center;color:#999;"
      "border-top:1px solid #ddd}\n";
  std::string::size_type at;
  while ((at = style.find("ACCENT")) != std::string::npos)
    style.replace(at, 6, look.accent);
  return style;
}

std::string Script(const CoreLook& look) {
  std::string script = "<script>\nvar qhInputId='";
  script += look.inputId;
  script +=
      "';\n"
      "function qhNote(t){document.getElementById('note').textContent=t;}\n"
      "function qhPlay(){\n"
      " var addr=document.getElementById(qhInputId).value.replace(/^\\s+|\\s+$/g,'');\n"
      " var v=document.getElementById('player');\n"
      " if(!addr){qhNote('请先输入视频地址');return false;}\n"
      " if(!/^https?:\\/\\//i.test(addr)){qhNote('暂不支持此类地址：'+addr);return false;}\n"
      " document.getElementById('idle').style.display='none';\n"
      " v.muted=true;v.src=addr;\n"
      " var p=v.play();\n"
      " if(p&&p.catch){p.catch(function(e){qhNote('播放失败：'+e.message);});}\n"
      " qhNote('正在播放：'+addr);\n"
      " return false;\n"
      "}\n"
      "function qhVipOnly(){qhNote('VIP通道仅对会员开放');return false;}\n"
      "</script>\n";
  return script;
}

}  // namespace

bool CoreNeedsZsbQuery(int core) {
  return core == 3;
}

std::string CorePlayerPage(int core, std::string_view sampleVideoUrl) {
  const CoreLook& look = Look(core);
  std::string body = "<div class=\"wrap\">\n<div class=\"top\"><span class=\"logo\">";
  body += look.caption;
  body += "</span><span class=\"slogan\">";
  body += look.slogan;
  body +=
      "</span>\n<div class=\"nav\"><a href=\"#\">首页</a><a href=\"#help\">使用帮助</a>"
      "<a href=\"#faq\">常见问题</a></div></div>\n"
      "<div class=\"main\">\n<div class=\"bar\">";
  body += look.decoys;
  body += look.input;
  body += look.link;
  body +=
      "<span id=\"note\" class=\"note\">粘贴地址后点击播放</span></div>\n"
      "<div class=\"stage\"><div class=\"screen\">"
      "<video id=\"player\" autoplay muted playsinline controls></video>"
      "<div id=\"idle\" class=\"idle\"><b>";
  body += look.caption;
  body +=
      "</b>粘贴视频地址，点击播放</div></div>\n"
      "<div class=\"side\"><h3>试试这个地址</h3><code>";
  body += EscapeHtml(sampleVideoUrl);
  body +=
      "</code><h3 style=\"margin-top:16px\">支持格式</h3>WebM、MP4 直链，"
      "其他地址请换用别的核心。</div></div>\n"
      "<div class=\"help\" id=\"help\"><b>使用帮助</b><br>"
      "1. 把视频地址粘贴到上面的输入框。<br>"
      "2. 点击播放按钮，视频会在本页直接播放。<br>"
      "3. 如果播放失败，请多试几次，或换用其他核心。</div>\n"
      "<div class=\"help\" id=\"faq\"><b>常见问题</b><br>"
      "问：为什么没有声音？<br>答：页面默认静音播放，点击播放器上的音量按钮即可打开声音。</div>\n"
      "<div class=\"foot\">";
  body += look.caption;
  body += " &copy; 2026 本页面仅供本地演示</div>\n</div>\n</div>\n";
  body += Script(look);
  std::string title = look.caption;
  title += " - 在线视频解析播放";
  return HtmlPage(title, Style(look), body);
}

std::string CoreFrontPage(int core, std::string_view playerAddress) {
  const CoreLook& look = Look(core);
  std::string body = "<div class=\"wrap\">\n<div class=\"top\"><span class=\"logo\">";
  body += look.caption;
  body += "</span><span class=\"slogan\">";
  body += look.slogan;
  body +=
      "</span></div>\n<div class=\"main\"><div class=\"help\">本站首页。播放器在"
      "<a href=\"";
  body += EscapeHtml(playerAddress);
  body += "\">这里</a>。</div></div>\n</div>\n";
  return HtmlPage(look.caption, Style(look), body);
}

}  // namespace demo
