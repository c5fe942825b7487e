// Builds the help page: a Japanese HTML manual with the list of every flag the quiz asks about.
// Usage: marelto_manual <countries.tsv> <flag folder> <output folder>
// Writes <output>/download_support.html and copies <flag folder>/<code>.bmp to <output>/flags/.
// The flags come from the quiz's own catalogue; a flag without a row in the facts table or
// without a picture stops the build, so the page never lists less than the quiz asks.
#include "facts/FactsTable.h"
#include "platform/File.h"
#include "quiz/FlagCatalog.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Country
{
    std::string strName, strCapital, strRegion, strLanguages;
    std::size_t nContinent; // into Facts::kContinents
};

// The flag list's anchor of each 州, by Facts::kContinents.
constexpr const char* kAnchors[] = {"asia",          "europe",        "africa",
                                    "north-america", "south-america", "oceania"};
static_assert(std::size(kAnchors) == Facts::kContinents.size());

// The forms of one answer, usual one first, as the page shows them: "スクレ／ラパス".
std::string Joined(const std::vector<std::string_view>& forms, std::string_view separator)
{
    std::string text;
    for (std::string_view form : forms)
        text += (text.empty() ? "" : std::string(separator)) + std::string(form);
    return text;
}

// The facts table by country code.
bool ReadCountries(const fs::path& tsv, std::map<std::string, Country>& out, std::string& error)
{
    File file;
    std::string text;
    if (!file.Open(tsv, File::modeRead) || !file.Read(text, file.GetLength())) {
        error = "cannot read " + tsv.string() + ": " + file.Error();
        return false;
    }
    const Facts::Table table = Facts::ParseCountries(text);
    if (!table.strError.empty()) {
        error = tsv.string() + ": " + table.strError;
        return false;
    }
    for (const Facts::Country& c : table.countries) {
        std::string strLanguages;
        for (const Facts::Language& language : c.languages)
            strLanguages += (strLanguages.empty() ? "" : std::string(Facts::kLanguageSeparator)) +
                            Joined(language.names, "／");
        out[std::string(c.code)] =
            Country{std::string(c.names.front()), Joined(c.capitals, "／"), std::string(c.region),
                    strLanguages, Facts::ContinentIndex(c.continent)};
    }
    return true;
}

std::string Html(const std::string& text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

constexpr const char* kHead = R"(<!DOCTYPE html>
<html lang="ja">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>Marelto 説明と出題国旗リスト</title>
<style>
:root { --ink: #1f2933; --muted: #52606d; --line: #d9e2ec; --accent: #1d4e89; --paper: #f7f9fb; }
* { box-sizing: border-box; }
body { margin: 0; color: var(--ink); background: var(--paper); line-height: 1.7;
       font-family: "Noto Sans CJK JP", "IPAPGothic", "Hiragino Sans", "Yu Gothic", sans-serif; }
header { background: var(--accent); color: #fff; padding: 1.5rem 2rem; }
header h1 { margin: 0; font-size: 1.6rem; }
header p { margin: .3rem 0 0; opacity: .9; }
nav { background: #fff; border-bottom: 1px solid var(--line); padding: .6rem 2rem; }
nav a { color: var(--accent); margin-right: 1.2rem; text-decoration: none; }
main { max-width: 68rem; margin: 0 auto; padding: 1rem 2rem 3rem; }
h2 { border-left: .35rem solid var(--accent); padding-left: .6rem; margin-top: 2.2rem; }
table.info { border-collapse: collapse; width: 100%; background: #fff; }
table.info th, table.info td { border: 1px solid var(--line); padding: .4rem .7rem; text-align: left;
                               vertical-align: top; }
table.info th { background: #eef2f7; white-space: nowrap; }
code, kbd { font-family: "Noto Sans Mono CJK JP", monospace; background: #eef2f7; padding: 0 .25rem;
            border-radius: .2rem; }
.note { color: var(--muted); }
ul.flags { list-style: none; padding: 0; display: grid; gap: .8rem;
           grid-template-columns: repeat(auto-fill, minmax(12.5rem, 1fr)); }
li.flag { background: #fff; border: 1px solid var(--line); border-radius: .4rem; padding: .7rem;
          display: flex; flex-direction: column; align-items: center; text-align: center; }
li.flag .pic { height: 76px; display: flex; align-items: center; }
li.flag img { border: 1px solid var(--line); }
img.shot { max-width: 100%; height: auto; border: 1px solid var(--line); }
li.flag .name { font-weight: bold; margin-top: .4rem; }
li.flag .code { color: var(--muted); font-family: monospace; font-size: .9rem; }
li.flag dl { margin: .3rem 0 0; font-size: .85rem; display: grid; grid-template-columns: auto 1fr;
             gap: 0 .5rem; text-align: left; }
li.flag dt { color: var(--muted); }
li.flag dd { margin: 0; }
p.continents a { color: var(--accent); margin-right: 1rem; }
footer { text-align: center; color: var(--muted); padding: 1rem; border-top: 1px solid var(--line); }
</style>
</head>
)";

constexpr const char* kGuide = R"(<body>
<header>
<h1>Marelto 説明と出題国旗リスト</h1>
<p>Marelto Ver1.0～首都・地域・公用語まで ― 国旗と、その国の首都・地域・公用語を覚えるための練習ソフトです。</p>
</header>
<nav><a href="#play">遊び方</a><a href="#settings">出題設定</a><a href="#sound">効果音</a><a href="#map">地図</a><a href="#typing">答えを入力する</a><a href="#position">地図で答える問題</a><a href="#questionfile">問題ファイルと編集</a><a href="#review">復習と成績</a><a href="#zukan">国旗図鑑</a><a href="#files">ファイル</a><a href="#flags">出題国旗リスト</a></nav>
<main>
<section id="play">
<h2>遊び方</h2>
<ol>
<li>「開始」を押すと出題が始まります。「*問題」に問題文、「*解答群」に 1～4 の答え、回答ボタンの右に国旗が表示されます。</li>
<li>正しいと思う答えの番号の回答ボタン（1～4）を、「*制限時間」のバーがいっぱいになる前に押してください。</li>
<li>答えるたびに（時間切れのときも）小さな画面に「正解」または「誤り」と正解の番号（例: 正解は3番）が表示され、約2秒で自動的に閉じます。</li>
<li>誤答と時間切れは許容誤答数を1つずつ減らします。右側の3つのランプ（*誤答残数）は開始時に赤になり、残りが2・1・0になるたびに下から順に白くなります。</li>
<li>許容誤答数か出題数が0になるか「停止」を押すと「終了!!」と表示され、「*正解率」に正解率（%）が表示されます。</li>
</ol>
<p>「終了」ボタン、またはメニューの「ファイル」→「終了」でプログラムを終了します。<kbd>Enter</kbd> キーや <kbd>Esc</kbd> キーでは画面は閉じません。</p>
<p>出題中は、キーボードの <kbd>1</kbd>～<kbd>4</kbd> キー（テンキーでも）で同じ番号の回答ボタンを押せます。出題中でないときは何も起きません。スクリーンリーダーでは、正解率・設定値・ランプの状態（点灯／使用済み）・判定の内容も読み上げられます。</p>
<h3 id="flagchoice">国旗を選ぶ問題</h3>
<p>問題文に国名（または首都）が出て、「*解答群」に番号 1～4 の付いた4つの国旗が横に並ぶ問題です。回答ボタンの右の国旗の枠には何も表示されません。回答ボタン・数字キーのほか、国旗をクリックしても答えられます。判定・ランプ・制限時間・正解率はほかの問題と同じで、「正解は3番」は左から3番目の国旗のことです。次に文の問題が出ると、4つの答えの欄と国旗の枠が元に戻ります。スクリーンリーダーでは、国旗は「解答1 国旗」～「解答4 国旗」と読み上げられ、国名はわかりません。解答群の表示が切り替わったことも伝えられます。</p>
<p>問題ファイルのレコードの答え1～4 が<strong>すべて</strong>国コード（下の一覧の英小文字3文字のあとは空白だけ）のとき、そのレコードは国旗を選ぶ問題になり、正解の印 <code>*</code> の付いた国旗が正解です（正解は 0～2 バイト目の国コードの国旗にします）。1つでもそうでない答え（一覧にないコード、大文字、コードのあとの文字）があるレコードは、今までどおり文の問題です。編集画面では、答えがすべて国コードのとき、その4つの国旗が右に表示されます。</p>
<h3 id="position">位置の問題</h3>
<p>問題ファイルのレコードの答え1～4 が<strong>すべて</strong> <code>@</code> と国コード（下の一覧の英小文字3文字。そのあとは空白だけ）のとき、そのレコードは地図で答える位置の問題になり、正解の印 <code>*</code> の付いた国が正解です（正解は 0～2 バイト目の国コードの国にします）。問題文で国を示します（例: 「チャドはどこ？」。国旗の枠の国旗で示すときは「この国旗の国はどこ？」）。1つでもそうでない答え（<code>@</code> のないもの、一覧にないコード、コードのあとの文字）があるレコードは、今までどおり文の問題です（4つとも <code>@</code> のない国コードなら国旗を選ぶ問題です）。</p>
<p>例: 国コード <code>tcd</code>、問題文「チャドはどこ？」、答え <code>*@tcd</code>・<code>@ner</code>・<code>@sdn</code>・<code>@lby</code>。付属の問題集の位置の問題では、誤りの国はその国のとなりの国（国境の長い順。国境を接する国が足りないときは近い国）です。編集画面では、答えがすべて <code>@</code> と国コードのとき、その4つの国が答えの番号を付けて右の小さな地図に表示され、その下に国名が出ます。</p>
</section>
<section id="settings">
<h2>出題設定</h2>
<p>メニューの「設定」→「出題設定」で出題設定画面が開きます。スライダーで値を選び「設定保存」を押し、確認で「はい」を選ぶと保存されます。「いいえ」を選ぶと保存されている値に戻ります。スライダー左の数値は保存されている値で、保存すると更新されます。「戻る」は保存せずに画面を閉じます。</p>
<table class="info">
<tr><th>項目</th><th>範囲</th><th>説明</th></tr>
<tr><td>制限時間</td><td>1～60秒</td><td>1問に答えられる時間です。</td></tr>
<tr><td>許容誤答数</td><td>3～99回</td><td>1回の出題で間違えてよい回数です（時間切れも1回と数えます）。</td></tr>
<tr><td>出題数</td><td>1～問題ファイルの問題数</td><td>1回の出題で出す問題の数です。</td></tr>
<tr><td>出題順序</td><td>登録順／ランダム</td><td>登録順は問題ファイルの先頭から順に、ランダムは1問ごとにファイル全体から無作為に選びます。</td></tr>
<tr><td>問題ファイル名</td><td>表示のみ</td><td>使用中の問題ファイルです。この画面では変更できません（メニューの「ファイル」→「問題ファイルを開く」で変えます）。</td></tr>
</table>
<p class="note">保存した値は次の「開始」から使われます（制限時間は出題中でもすぐに使われます）。</p>
</section>
<section id="sound">
<h2>効果音</h2>
<p>メニューの「設定」→「効果音」で、正解と誤答のときの効果音を入り・切りします。チェックが付いているときに音が鳴ります。時間切れのときは鳴りません。</p>
</section>
<section id="map">
<h2>地図</h2>
<p>メニューの「設定」→「地図を表示」にチェックを付けると、メイン画面の横に「地図」の画面が開きます。太平洋を中心にした世界地図で、国は州ごとの色で、ほかの土地は灰色で描かれます。小さくて見えない国（ツバル、ナウル、モナコ、バチカンなど）は丸い印で示します。</p>
<p>出題中の問題の国は示しません。答えると（誤りや時間切れのときも）、その国を赤く示して画面の中に表示し、左上に国名と首都（例: 日本 首都 東京）を出します。小さな国は印を赤い丸で囲みます。表示は次の問題が出るまで続きます。</p>
<p>マウスのホイールで拡大・縮小、ドラッグで移動します。ダブルクリックか <kbd>Home</kbd> キーで世界全体に戻ります。キーボードでは <kbd>+</kbd>・<kbd>-</kbd> で拡大・縮小、矢印キーで移動します。スクリーンリーダーは、地図が示している国と首都を読み上げます。</p>
<p>チェックが付いている間は、次に起動したときも地図の画面が開きます。地図の画面を閉じるとチェックが外れます。設定は <code>Parameter.INI</code> の <code>[MAP]</code> に保存されます（<code>SW</code>、1 = 表示）。国境は日本の学校の地図帳にならい、北方領土は日本、クリミア半島はウクライナとし、南樺太と得撫島より北の千島列島は帰属未定（灰色）として描きます。</p>
</section>
<section id="typing">
<h2>答えを入力する</h2>
<p>メニューの「設定」→「答えを入力する」にチェックを付けると、文字で答える問題（国名・首都・地域・公用語など）では「*解答群」に4つの答えの代わりに入力欄が1つ表示され、答えを自分で入力して <kbd>Enter</kbd> キーで答えます。問題が出ると入力欄にカーソルがあるので、そのまま日本語入力で入力できます。何も入力せずに <kbd>Enter</kbd> キーを押しても何も起きません。文字で答える問題は回答ボタンや数字キーでは答えられません（数字は入力欄に入ります）。国旗を選ぶ問題は、入力モードでも4つの国旗から選びます。チェックは次の問題から使われます。</p>
<p>入力の違いは気にしなくてかまいません。ひらがなとカタカナ、全角と半角、長音「ー」やハイフン、中黒「・」、空白、「ヴァ」と「バ」のような書き方の違い、地域の最後の「州」（「アジア」でも「アジア州」でも正解）は同じとみなします。漢字の答えは読みでも正解です（東京 = とうきょう、北京 = ぺきん、日本 = にほん・にっぽん）。付属の199か国の問題では、事実表が認めるほかの呼び方（イギリス = 英国、首都が複数ある国のそれぞれ）も正解です。公用語が複数ある国は、そのうち1つ（または「、」で区切った幾つか）を答えれば正解です。ドミニカ国とドミニカ共和国、2つのコンゴ、ニジェールとナイジェリアのように別の国は区別します。自分で作った問題ファイルでは、正解の印 <code>*</code> が付いた答えを同じように比べます。</p>
<p>答えると小さな画面に「正解」または「誤り」と、正解の答え（例: 正解は パリ）が表示されます。時間切れは誤りになります。入力した答えは記録ファイルにも残り、「成績」の「よく間違える問題」に、間違えたときに入力した答え（新しいものから5つまで）が表示されます。設定は <code>Parameter.INI</code> の <code>[INPUT]</code> に保存されます（<code>SW</code>、1 = 入力する）。</p>
<p><img class="shot" src="typing.png" width="629" height="513" alt="答えを入力する問題：入力欄に「とうきょう」と入力して Enter キーを押すと「正解」「正解は 東京」と表示される"></p>
</section>
<section id="position">
<h2>地図で答える問題（位置）</h2>
<p>「チャドはどこ？」のように国の位置を聞く問題では、「*解答群」に地図が出ます。地図は4つの候補の国に合わせて拡大され、候補には色が付き、1〜4の番号が記されます。小さくて見えない国は番号を丸で囲みます。回答ボタン、数字キー、地図の番号、候補の国をクリックのどれでも答えられます。候補でない所をクリックしても何も起きません。</p>
<p>「設定」→「答えを入力する」にチェックが付いているときは、候補を示さずに、その国がある地域（西アフリカ、東南アジアなど）の地図が出ます。国を探してクリックすると答えになります。国の中か、境界のすぐ近く、小さな国ではその丸の中なら正解です。ほかの国をクリックすると誤りになり、クリックした国の名前を表示します（例: 誤り（ニジェール））。海をクリックしても誤りです。ホイールで拡大・縮小、ドラッグで移動します。キーボードでは矢印キーで国から国へ選ぶ国を動かし、<kbd>Enter</kbd> キーで答えます。</p>
<p>答えると、その国を赤く示し、左上に国名と首都を出します。表示は次の問題が出るまで続きます。クリックした国は記録ファイルに残り、「成績」の「取り違えた国」に、聞かれた国と指した国の組が回数の多い順に表示されます（例: チャド → ニジェール 3回）。</p>
</section>
<section id="questionfile">
<h2>問題ファイルを開く・問題の編集</h2>
<p>メニューの「ファイル」→「問題ファイルを開く」で、出題に使う問題ファイルを選びます。起動したフォルダーの問題ファイルが一覧に出ます（<code>ReadMe.txt</code> は出ません）。選んだファイルは <code>Parameter.INI</code> の <code>[QUESTION]</code> に保存され、次の「開始」から使われます。出題数がそのファイルの問題数より多いときは、問題数まで減らします。ほかのフォルダーのファイルは起動したフォルダーにコピーしてから使います。同じ名前のファイルがあるときは「名前(2).txt」のように空いている名前でコピーし、前からあるファイルを上書きすることはありません。1問分の 420 バイトに満たないファイル、大きさが 420 バイトで割り切れないファイル、正解の印 <code>*</code> がちょうど1つではない問題を含むファイルは、ファイル名と理由を表示して使いません。</p>
<p>メニューの「ファイル」→「問題の編集」で編集画面が開き、使用中の問題ファイルの問題を追加・更新・削除できます。</p>
<p class="note">どちらも出題中は選べません。「停止」を押すか出題が終わってから選んでください。</p>
</section>
<section id="review">
<h2>間違えた問題の復習と成績</h2>
<p>答えるたびに（時間切れのときも）、結果が記録ファイル <code>marelto-history.tsv</code> に1行ずつ書き足されます。</p>
<p>メニューの「ファイル」→「間違えた問題を復習」は、今の問題ファイルのうち復習の時期が来た問題だけを集めた問題ファイル <code>復習-年月日-時分.txt</code> を作り、それを問題ファイルにします。そのまま「開始」を押せば復習できます。誤答と時間切れの問題はその日のうちに、正解した問題は正解が続くたびに 1日・3日・7日・14日後に復習の時期が来ます。一度も答えていない問題は入りません。誤った問題が先に、その後は答えてから長くたった問題から並びます。復習用のファイルで答えた結果も元の問題の記録になります。復習する問題がないときは「復習する問題はありません。」と表示され、ファイルは作りません。</p>
<p>メニューの「ファイル」→「成績」は、今の問題ファイルとすべての問題ファイルのラウンド数・解答数・正解率・平均解答時間、問題の種類別（国名・首都・地域・公用語・国旗・位置）と州別の正解率、最近30ラウンドの正解率のグラフ、よく間違える問題（20問まで。答えを入力したときは間違えた入力も）、地図で取り違えた国を表示します。</p>
<p>「成績」の2ページ目「習得マップ」は、すべての記録から199か国それぞれの状態を世界地図に色分けして表示します。まだ出ていない国は「未出題」、ある種類の最後の答えが誤りか復習の時期が来た問題がある国は「要復習」、出た種類すべてで3回続けて正解し、その最後が最初から7日以上あとで、復習の時期が来た問題もない国は「習得」、それ以外は「学習中」です。「種類」で国名・首都・地域・公用語・国旗・位置のどれか1つに絞れます。上に「習得 57/199 (29 %)」のように習得した国の数、下に4つの状態の国数と州ごとの棒が出ます。国にマウスを置くと（地図を選んで矢印キーでも）その国の状態と最後の答えが、ダブルクリックすると（<kbd>Enter</kbd> でも）その国が国旗図鑑に出ます。「要復習の国を出題」は、要復習の国の問題（種類を絞っているときはその種類）を付属の <code>世界の国旗.txt</code> から集めた問題ファイル <code>要復習-年月日-時分.txt</code> を作り、それを問題ファイルにします。「地図を画像で保存」は、色分けした地図を凡例と日付つきで PNG 画像に保存します。色は色覚の違い（赤と緑の見分けにくさ）があっても見分けられる組み合わせで、要復習には斜線も入ります。</p>
<p class="note">どちらもラウンドの途中では使えません。記録ファイルを書き込めないフォルダーでは記録されず、「成績」の画面にそのことが表示されます。</p>
</section>
<section id="zukan">
<h2>国旗図鑑</h2>
<p>メニューの「ファイル」→「国旗図鑑」で、199の国旗を州ごと（アジア州、ヨーロッパ州、アフリカ州、北アメリカ州、南アメリカ州、オセアニア州）に国名と並べた画面が、メイン画面の横に開きます。出題中も開いたまま見られます（そのときは「選んだ国を出題」だけが使えません）。もう一度選ぶと、開いている画面が前に出ます。</p>
<ul>
<li><b>検索</b>: 国名の一部をカタカナ・ひらがな・漢字で入れると、1文字ごとに国旗が絞り込まれます。漢字の国名は読みでも（「にほん」「にっぽん」で日本、「ちゅうごく」で中国）、首都の名前や読みでも（「ぶらじりあ」でブラジル）、3文字の国コードでも（<code>jpn</code>）見つかります。見つからないときは「当てはまる国はありません」と表示されます。</li>
<li><b>国旗を選ぶ</b>: クリックするか矢印キーで動かすと、右にその国の国名（漢字の名前は読みも）と別名、首都とほかに正解になる首都、ほかに首都とされた都市、州と地域、公用語と一部で使われる公用語、注記（答えの出典のメモ）と、自分の記録（出題回数、正解率、最後の解答、次に復習する日。まだ出ていない国は「未出題」）が表示されます。記録は <code>marelto-history.tsv</code> から読みます。その下の地図には、その国の場所が赤く表示されます（ホイールか <kbd>+</kbd> と <kbd>-</kbd> で拡大縮小、ドラッグか矢印キーで移動、<kbd>Home</kbd> で世界全体）。</li>
<li><b>複数選ぶ</b>: <kbd>Ctrl</kbd> キーを押しながらのクリックで1つずつ、<kbd>Shift</kbd> キーで範囲を、「この州をすべて選ぶ」でその州の国をすべて選べます。キーボードでは、矢印キーで動かしても選んだ国はそのままで、<kbd>Space</kbd> でその国旗を選んだり外したりします（<kbd>Shift</kbd>＋矢印で範囲を選びます）。検索で見えなくなった国も選んだままです。</li>
<li><b>習得の印と表示</b>: 国旗の右上に、その国の状態が印で出ます（要復習は「!」の三角、学習中は輪、習得はチェックの丸、未出題は印なし。決め方は「習得マップ」と同じです）。「表示」で要復習・学習中・習得・未出題のどれかの国だけを並べられます。要復習の国だけを出して選び、「選んだ国を出題」で練習できます。</li>
<li><b>選んだ国を出題</b>: 付属の <code>世界の国旗.txt</code> の配布されたままの中身（手元のコピーを書き換えていても、それは使いません）から、選んだ国の問題をすべて集めた問題ファイル <code>図鑑-年月日-時分.txt</code> を作り、それを問題ファイルにします。前からあるファイルを上書きすることはありません。出題数がその問題数より多いときは、問題数まで減らします。</li>
<li><b>キー</b>: <kbd>Alt</kbd>+<kbd>S</kbd> で検索、<kbd>Alt</kbd>+<kbd>V</kbd> で表示、<kbd>Alt</kbd>+<kbd>L</kbd> で国旗の一覧、<kbd>Alt</kbd>+<kbd>A</kbd> で「この州をすべて選ぶ」、<kbd>Alt</kbd>+<kbd>Q</kbd> で「選んだ国を出題」、<kbd>Alt</kbd>+<kbd>M</kbd> で地図、<kbd>Esc</kbd> で閉じます。検索欄で <kbd>Enter</kbd> か <kbd>↓</kbd> を押すと、見つかった最初の国旗に移ります。スクリーンリーダーでは、国旗は国名で、右の欄は「首都 東京」のように項目名と値で読み上げられます。</li>
</ul>
</section>
<section id="files">
<h2>ファイル</h2>
<p>どのファイルもプログラムを起動したフォルダーに置きます。文字コードは Shift_JIS（cp932）です。</p>
<table class="info">
<tr><th>ファイル</th><th>内容</th></tr>
<tr><td><code>Parameter.INI</code></td><td>設定ファイルです。問題ファイル名（<code>[QUESTION]</code>）、許容誤答数（<code>[LIFE]</code>）、制限時間（<code>[TIME_LIMIT]</code>）、出題数（<code>[QUESTION_CNT]</code>）、出題順序（<code>[SEQ]</code>、0 = 登録順、1 = ランダム）、効果音（<code>[SOUND]</code> の <code>SW</code>、1 = 入り）、地図の表示（<code>[MAP]</code> の <code>SW</code>、1 = 表示）、答えの入力（<code>[INPUT]</code> の <code>SW</code>、1 = 入力する）を保存します。付属の設定ファイル（制限時間10秒・許容誤答数3回・出題数20問・ランダム）が、まだ無いフォルダーにだけ問題ファイルと一緒に置かれるので、すぐに遊べます。設定保存、効果音・地図・答えの入力の切り替えで書き換わります。</td></tr>
<tr><td>問題ファイル（<code>*.txt</code>）</td><td>1問 420 バイトの固定長レコードを区切りなしで並べたファイルです。0～2 バイト目が国旗を表す国コード（下の一覧のコード）、3～99 バイト目が問題文、100・180・260・340 バイト目からの 80 バイトずつが答え1～4 です。答えの先頭1バイトは正解の印で、正解には <code>*</code>、それ以外には空白を置きます。足りない部分は空白で埋めます。答え1～4 がすべて国コードのレコードは国旗を選ぶ問題（上の「国旗を選ぶ問題」）、すべて <code>@</code> と国コードのレコードは位置の問題です（上の「位置の問題」）。</td></tr>
<tr><td><code>sample0524.txt</code></td><td>付属の問題ファイルです。設定が無いときはこのファイルから出題します。</td></tr>
<tr><td><code>ReadMe.txt</code></td><td>説明のファイルです。問題ファイルではないので、出題設定画面の一覧には表示されません。</td></tr>
<tr><td><code>marelto-history.tsv</code></td><td>答えの記録です（UTF-8 のタブ区切り、1行目は見出し）。日時、問題ファイル名、問題番号、問題の指紋、国コード、結果、解答秒数、ラウンドの開始日時、問題文、入力した答え（答えを入力したときだけ）を1行に書きます。消すと記録は最初からになります。</td></tr>
<tr><td><code>復習-*.txt</code></td><td>「間違えた問題を復習」で作られる問題ファイルです。</td></tr>
<tr><td><code>図鑑-*.txt</code></td><td>「国旗図鑑」の「選んだ国を出題」で作られる問題ファイルです。</td></tr>
</table>
</section>
)";

void WriteFlag(std::ostringstream& page, const FlagEntry& flag, const Country& c)
{
    const std::string code(flag.strCode);
    page << "<li class=\"flag\" id=\"" << code << "\">"
         << "<span class=\"pic\"><img src=\"flags/" << code << ".bmp\" width=\"" << flag.nWidth
         << "\" height=\"" << flag.nHeight << "\" alt=\"" << Html(c.strName) << "の国旗\"></span>"
         << "<span class=\"name\">" << Html(c.strName) << "</span>"
         << "<span class=\"code\">" << code << "</span>"
         << "<dl><dt>首都</dt><dd>" << Html(c.strCapital) << "</dd>"
         << "<dt>地域</dt><dd>" << Html(c.strRegion) << "</dd>"
         << "<dt>公用語</dt><dd>" << Html(c.strLanguages) << "</dd></dl></li>\n";
}

// Every catalogue flag under its 州, in code order within each; a flag without a name or
// without one of the six 州 stops the build.
bool WriteFlagList(std::ostringstream& page, const std::map<std::string, Country>& countries,
                   std::string& error)
{
    std::vector<std::pair<const FlagEntry*, const Country*>> groups[std::size(kAnchors)];
    const auto flags = FlagCatalog();
    for (const FlagEntry& flag : flags) {
        const std::string code(flag.strCode);
        const auto it = countries.find(code);
        if (it == countries.end() || it->second.strName.empty()) {
            error = "no country name for the flag " + code;
            return false;
        }
        if (it->second.nContinent == Facts::kContinents.size()) {
            error = "no continent for the flag " + code;
            return false;
        }
        groups[it->second.nContinent].emplace_back(&flag, &it->second);
    }
    page << "<section id=\"flags\">\n<h2>出題国旗リスト（" << flags.size() << "か国）</h2>\n"
         << "<p>問題ファイルの先頭3文字に書く国コードと、表示される国旗です。"
         << "州ごとに並べています。</p>\n<p class=\"continents\">";
    for (std::size_t i = 0; i < std::size(kAnchors); ++i)
        page << "<a href=\"#" << kAnchors[i] << "\">" << Facts::kContinents[i] << "（"
             << groups[i].size() << "）</a>";
    page << "</p>\n";
    for (std::size_t i = 0; i < std::size(kAnchors); ++i) {
        page << "<h3 id=\"" << kAnchors[i] << "\">" << Facts::kContinents[i] << "（"
             << groups[i].size() << "か国）</h3>\n<ul class=\"flags\">\n";
        for (const auto& [flag, country] : groups[i])
            WriteFlag(page, *flag, *country);
        page << "</ul>\n";
    }
    page << "</section>\n";
    return true;
}

bool WritePage(const fs::path& outDir, const std::map<std::string, Country>& countries,
               std::string& error)
{
    std::ostringstream page;
    page << kHead << kGuide;
    if (!WriteFlagList(page, countries, error))
        return false;
    page << "</main>\n"
         << "<footer>Marelto Version 1.0.1 ・ (C) 2026 Marelto Project</footer>\n"
         << "</body>\n</html>\n";

    // Written beside the target and renamed, so a browser never sees half a page.
    const fs::path target = outDir / "download_support.html";
    const fs::path temp = outDir / "download_support.html.tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        const std::string text = page.str();
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        if (!out.flush()) {
            error = "cannot write " + temp.string();
            return false;
        }
    }
    std::error_code ec;
    fs::rename(temp, target, ec);
    if (ec)
        error = "cannot rename to " + target.string() + ": " + ec.message();
    return !ec;
}

bool CopyFlags(const fs::path& flagDir, const fs::path& outDir, std::string& error)
{
    std::error_code ec;
    fs::create_directories(outDir / "flags", ec);
    for (const FlagEntry& flag : FlagCatalog()) {
        const std::string name = std::string(flag.strCode) + ".bmp";
        // Removed first: MinGW's copy_file takes every existing target for the source itself
        // (its files have no inode numbers) and refuses to overwrite it.
        fs::remove(outDir / "flags" / name, ec);
        fs::copy_file(flagDir / name, outDir / "flags" / name, ec);
        if (ec) {
            error = "cannot copy the flag " + name + ": " + ec.message();
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 4) {
        std::cerr << "usage: " << argv[0] << " <countries.tsv> <flag folder> <output folder>\n";
        return 2;
    }
    const fs::path outDir = argv[3];
    std::map<std::string, Country> countries;
    std::string error;
    std::error_code ec;
    fs::create_directories(outDir, ec);
    if (!ReadCountries(argv[1], countries, error) || !CopyFlags(argv[2], outDir, error) ||
        !WritePage(outDir, countries, error)) {
        std::cerr << "marelto_manual: " << error << "\n";
        return 1;
    }
    return 0;
}
