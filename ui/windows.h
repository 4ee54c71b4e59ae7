#pragma once
// The list window and the memo aid exist at most once, are created on first use,
// have no owner and come to the front when shown again.

class Form1;
class Form2;

Form1* showForm1(bool show = true); // without `show`, only makes sure it exists
Form2* showForm2();
