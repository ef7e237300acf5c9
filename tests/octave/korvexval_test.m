% korvexval_test.m: korvexval.mex in Octave: every service against values computed here, every
% error message, and the session going on answering correctly after each rejected call.
1;

function f = model1(x, m)
  % Model 1 in the order its sums accumulate.
  f = zeros(m, 1);
  if m == 0
    return;
  end
  s0 = x(1) * x(1);
  f(1) = s0 + (s0 + s0);
  for i = 2:m
    f(1) = x(i) * x(i) + f(1);
    f(i) = s0 + x(i) * x(i);
  end
end

function H = hessian_products(x, V, h)
  n = rows(V);
  f = @(y) model1(y, n)(1);
  G0 = gradient_of(f, x);
  H = zeros(n, columns(V));
  for k = 1:columns(V)
    H(:, k) = (gradient_of(f, V(:, k) * h(k) + x) - G0) / h(k);
  end
end

function g = gradient_of(f, y)
  b = f(y);
  g = zeros(numel(y), 1);
  for i = 1:numel(y)
    yi = y;
    yi(i) = y(i) + 1e-05;
    g(i) = (f(yi) - b) / 1e-05;
  end
end

function ok = check(ok, cond, what)
  if ! cond
    printf('FAILED: %s\n', what);
    ok = false;
  end
end

addpath(getenv('KORVEX_MEX_DIR'));
ok = true;

% Values. The point is tiny so that every rounding of the differences shows in the results.
x = [3.3e-6; -2.5e-6; 1e-7; 1.6666666666666669e-06];
V = [0.3 1 -0.45; -0.1 0 0.6; 0.25 0 1.7; 1.1 0 0.05];
h = [1e-7 3.3e-5 -2.1e-6];
ok = check(ok, isequal(korvexval(1, 1, [2; 5]), 12), 'service 1, x = (2, 5)');
ok = check(ok, isequal(korvexval(1, 1, [2; 5], magic(3)), 12), 'service 1 with extra data');
ok = check(ok, isequal(korvexval(2, 1, [1; 2; 3]), [16; 5; 10]), 'service 2, m = n');
ok = check(ok, isequal(korvexval(2.9, 1, x, 3.7), model1(x, 3)), 'service 2.9, m = 3.7');
ok = check(ok, isequal(korvexval(2, 1, x, 4, ones(2, 3)), model1(x, 4)), 'service 2, extra');
ok = check(ok, isequal(size(korvexval(2, 1, x, 0)), [0 1]), 'service 2, m = 0');
ok = check(ok, isequal(korvexval(2, 1, [1 + 2i; 2]), [7; 5]), 'imaginary parts are ignored');
ok = check(ok, isequal(korvexval(2, 3, [1; 2]), [0; 0]), 'unknown model: zeros');
for m = [4 2]
  [y, D] = korvexval(3, 1, x, V, m, h);
  Dwant = zeros(m, 3);
  for k = 1:3
    Dwant(:, k) = (model1(V(:, k) * h(k) + x, m) - model1(x, m)) / h(k);
  end
  ok = check(ok, isequal(y, model1(x, m)) && isequal(D, Dwant), sprintf('service 3, m = %d', m));
end
y = korvexval(3, 1, x, V, 4, h);
ok = check(ok, isequal(y, model1(x, 4)), 'service 3 with one output');
[y, D] = korvexval(3, 1, [2; -1], zeros(2, 0), 2, []);
ok = check(ok, isequal(y, [13; 5]) && isequal(size(D), [2 0]), 'service 3, p = 0');
Hwant = hessian_products(x, V, h);
ok = check(ok, isequal(korvexval(4, 1, x, V, h), Hwant), 'service 4');
ok = check(ok, isequal(korvexval(4, 1, x, V, h, 1, 2, 3), Hwant), 'service 4 ignores input 7+');
clear ans;
korvexval(5, 1, [1; 2]);
korvexval(-1, 1, [1; 2]);
korvexval(0, 1, [1; 2]);
ok = check(ok, ! exist('ans', 'var'), 'services 0, 5, -1 return nothing');
% Model 2, the translated sixth power (a cube, then a square). The module takes the C library's
% pow; Octave's integer powers may differ in the last bit, and negative bases pass through the
% complex power: values agree to rounding, differences to rounding divided by the step.
xq = [1.5; 0.25; 2];
Vq = [1 0.5; 0 2; -1 0];
hq = [1e-3 2e-4];
sixth = @(y) (y .^ 3) .^ 2;
near = @(a, b, tol) isequal(size(a), size(b)) && all(abs(a(:) - b(:)) <= tol * max(1, abs(b(:))));
ok = check(ok, near(korvexval(2, 2, xq), sixth(xq), 1e-15), 'model 2, service 2');
ok = check(ok, near(korvexval(2, 2, xq, 2, magic(3)), sixth(xq(1:2)), 1e-15), 'model 2, extra data');
ok = check(ok, isequal(korvexval(1, 2, [2; -1]), 64), 'model 2, service 1');
ok = check(ok, near(korvexval(2, 2, [2; -1]), [64; 1], 1e-15), 'model 2, negative base');
[y, D] = korvexval(3, 2, xq, Vq, 3, hq);
Dwant = (sixth(Vq .* hq + xq) - sixth(xq)) ./ hq;
ok = check(ok, near(y, sixth(xq), 1e-15) && near(D, Dwant, 1e-10), 'model 2, service 3');
H = korvexval(4, 2, [-1; 3], [1; 0], 1e-3);
ok = check(ok, abs(H(1) - 30) < 0.2 && H(2) == 0, 'model 2, service 4');
help_text = evalc('help korvexval');
ok = check(ok, ! isempty(strfind(help_text, 'Hessian-times-direction')), 'help korvexval');

% Rejected calls: {nargout, arguments, message}. After each one the session must go on.
V2 = eye(2);
bad = {
  0, {2, 1}, 'At Least 2 Input Arguments Required'
  1, {2, 1, [1; 2], 2, 0, 0}, 'Takes <= 3 Input Arguments'
  0, {2, 1, [1; 2]}, 'funcvalJ takes one output Argument'
  2, {2, 1, [1; 2]}, 'funcvalJ takes one output Argument'
  1, {3, 1, [1; 2]}, 'At Least 3 Input Arguments Required'
  1, {3, 1, [1; 2], V2, 2, [1 1], 0}, 'Takes <=4 Input Arguments'
  3, {3, 1, [1; 2], V2, 2, [1 1]}, 'FDapprox takes <=2 Output Argument'
  1, {4, 1, [1; 2]}, 'At Least 3 Input Arguments Required'
  3, {4, 1, [1; 2], V2, [1 1]}, 'FDapprox takes <=2 Output Argument'
  0, {}, 'Service Number Required'
  0, {[]}, 'Service Number Must Not Be Empty'
  1, {1, 1}, 'At Least 2 Input Arguments Required'
  1, {1, [], [1; 2]}, 'Model Number Must Not Be Empty'
  1, {1, 1, []}, 'x Must Not Be Empty'
  1, {1, 1, zeros(3, 0)}, 'x Must Hold At Least n Values'
  1, {2, 1, [1; 2], []}, 'm Must Not Be Empty'
  1, {2, 1, [1; 2], -1}, 'm Must Not Be Negative'
  1, {2, 1, [1; 2], 3}, 'm Must Not Exceed n'
  1, {2, 1, [1; 2], 1e10}, 'm Must Not Exceed n'
  1, {2, 1, [1 2 3], 2}, 'm Must Not Exceed n'
  2, {3, 1, [1; 2], V2}, 'Step Vector h Required'
  2, {3, 1, [1; 2], V2, 2}, 'Step Vector h Required'
  2, {3, 1, [1; 2], V2, 5, [1 1]}, 'm Must Not Exceed n'
  2, {3, 1, 1, V2, 2, [1 1]}, 'x Must Hold At Least n Values'
  2, {3, 1, [1; 2], V2, 2, 1}, 'h Must Hold At Least p Values'
  1, {4, 1, [1; 2], V2}, 'Step Vector h Required'
  1, {4, 1, 1, V2, [1 1]}, 'x Must Hold At Least n Values'
  1, {4, 1, [1; 2], V2, []}, 'h Must Hold At Least p Values'
  1, {2, 1, zeros(2^31, 0)}, 'Input Too Large'
  1, {2, 2, [1; 2], 3}, 'm Must Not Exceed n'
  2, {3, 2, [1; 2], V2, 3, [1 1]}, 'm Must Not Exceed n'
};
for r = 1:rows(bad)
  [nout, args, want] = bad{r, :};
  msg = '';
  try
    out = cell(1, nout);
    if nout == 0
      korvexval(args{:});
    else
      [out{:}] = korvexval(args{:});
    end
  catch err
    msg = err.message;
  end
  ok = check(ok, strcmp(msg, ['korvexval: ' want]), sprintf('row %d: want "%s", got "%s"', r, want, msg));
  ok = check(ok, isequal(korvexval(2, 1, [1; 2; 3]), [16; 5; 10]), sprintf('after row %d', r));
  ok = check(ok, isequal(korvexval(2, 2, [1; 2]), [1; 64]), sprintf('model 2 after row %d', r));
end

if ok
  printf('korvexval: all checks passed (%d rejected calls survived)\n', rows(bad));
  exit(0);
else
  exit(1);
end
